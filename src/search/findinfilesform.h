#pragma once
// "Find in Files": asks for a text and searches every open document for it,
// listing the lines found in the results window. One instance lives for the
// whole run; the main window shows it modally. The search takes one document
// per timer tick, so the window answers between documents; it ends by
// closing the dialog and sending searchFinished().
#include <QDialog>
#include <QList>
#include <QPointer>
#include <QTimer>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class SearchHost;
class TSubForm;
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

    // Starts the search; a press while one runs does nothing.
    void SearchBtnClick();
    // Closes the dialog; a search under way stops, what it found stays listed.
    void CancelBtnClick();
    // Enter searches, Escape cancels; true when the key was one of them.
    bool FormKeyPress(QKeyEvent *event);

    bool isSearching() const { return searching_; }
    void reject() override;

signals:
    void searchFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void searchNext();
    void stopSearch(bool cancelled);

    SearchHost &host_;
    TresultsForm &results_;
    bool searching_ = false;
    // The search under way: its options, and the documents still to search,
    // least recently active first (one may close meanwhile).
    struct Run {
        QString text;
        bool whole = false, matchCase = false, regex = false;
        QList<QPointer<TSubForm>> documents;
        bool searchedAny = false;
    } run_;
    QTimer step_;
};
