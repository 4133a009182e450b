#pragma once
// "Paragraph": the alignment of a <P> tag. The same window carries the
// progress panel that the keyword search shows over it.
#include "markup/fragmentdialog.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;
class RadioGroup;

class TParabox : public FragmentDialog {
    Q_OBJECT
public:
    explicit TParabox(QWidget *parent = nullptr);

    RadioGroup *AG;
    QPushButton *SpeedButton1;   // "&Cancel"
    QPushButton *SpeedButton2;   // "&Apply"

    // Progress panel for the keyword search, hidden until that search runs.
    QWidget *Panel1;
    QLabel *Label1;
    QProgressBar *ProgressBar1;
    QPushButton *SpeedButton3;   // "Cancel"

    // The keyword search shows the window, not modal, as "Keywords" with the
    // panel over the paragraph controls, and puts it back afterwards.
    void showKeywordProgress();
    void hideKeywordProgress();

    void SpeedButton1Click() { cancel(); }
    void SpeedButton2Click() { apply(); }
    void SpeedButton3Click();

signals:
    // The panel's Cancel: the keyword search is to stop.
    void keywordSearchCancelled();

protected:
    std::optional<QString> buildFragment() override;
    void FormShow() override;
    void resizeEvent(QResizeEvent *event) override;
};
