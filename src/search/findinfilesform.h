#pragma once
// "Find in Files": asks for a text and searches every open document for it,
// listing the lines found in the results window. One instance lives for the
// whole run; the main window shows it modally.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class SearchHost;
class TresultsForm;

class TFinFiles : public QDialog {
    Q_OBJECT
public:
    TFinFiles(SearchHost &host, TresultsForm &results, QWidget *parent = nullptr);

    QLabel *Label1;
    QComboBox *FindWhat;   // lists every text searched for since start-up
    QCheckBox *casebox;
    QCheckBox *wholebox;
    QCheckBox *regexbox;   // off until ticked
    QPushButton *CancelBtn;
    QPushButton *SearchBtn;

    void SearchBtnClick();
    void CancelBtnClick();
    // Enter searches, Escape cancels; true when the key was one of them.
    bool FormKeyPress(QKeyEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    SearchHost &host_;
    TresultsForm &results_;
    bool searching_ = false;
};
