#pragma once
// The find window: "Find" and "Find and Replace" over one document's text.
// One instance lives for the whole run; it is a non-modal tool window of the
// main window, kept above the documents (not above the program's dialogs), so
// the user can keep it open while editing. The matching itself is
// search/findtext.h; this window only moves values between its controls,
// the text area and the messages.
#include "search/matchhighlighter.h"

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class SearchHost;
class TMemo;
class TSubForm;

class TFindForm : public QWidget {
    Q_OBJECT
public:
    // Window heights of the two modes; the bottom panel holds the options
    // and the Close and Find Next buttons.
    static constexpr int PanelHeight = 98;
    static constexpr int FindModeHeight = 70 + PanelHeight;
    static constexpr int ReplaceModeHeight = 160 + PanelHeight;
    static constexpr int ClientWidth = 262;

    explicit TFindForm(SearchHost &host, QWidget *parent = nullptr);

    // Main-window commands "&Find..." and "&Replace...": put the current
    // document's caret at the start of its text and open the window on it
    // in Find or in Find and Replace mode. Nothing happens without a document.
    void Find1Click();
    void Replace1Click();

    // Binds the window to doc's text area and shows it; mode 1 is Find,
    // mode 2 Find and Replace. Fields, checks and buttons keep their state.
    void FormShow(TSubForm *doc, int mode);

    // The text area searched: the bound document's while it is open, else
    // the current document's (the window rebinds to it), else none.
    TMemo *TargetMemo();
    TSubForm *targetDocument() const;

    bool ReplaceMode = false;
    bool ReplaceAllRun = false;

    QLabel *FindLabel;
    QLineEdit *Findtxt;
    QLabel *Label1;
    QLineEdit *ReplaceTxt;
    QPushButton *RepBtn;
    QPushButton *RepAllBtn;
    QFrame *Panel1;
    QPushButton *CloseBtn;
    QCheckBox *MatchCase;
    QCheckBox *WholeWord;
    // Off until ticked, so the window searches as it always has.
    QCheckBox *RegularExpression;
    QCheckBox *WrapAround;
    QCheckBox *HighlightAll;
    QPushButton *FindBtn;

    // The options as the check boxes stand.
    search::FindOptions options() const;
    // Marks every match in the bound document while "Highlight all" is
    // ticked and the window is open; otherwise takes the marks away.
    void updateHighlight();
    MatchHighlighter &highlighter() { return highlighter_; }

    void FindBtnClick();
    // "Find Next" from the main window: the last search again, from the
    // caret of the current document, which the window then works on. Before
    // anything has been searched for it opens the window as "&Find..." does.
    void FindNextInCurrent();
    void RepBtnClick();
    void RepAllBtnClick();
    void FindtxtChange();
    void CloseBtnClick();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void open(int mode);
    void runReplaceAll(TMemo *memo);
    // The search of the fields and boxes, or nothing (with the parser's
    // message shown) when the expression does not parse.
    bool validMatcher(search::Matcher &matcher);
    MatchHighlighter highlighter_;

    SearchHost &host_;
    QPointer<TSubForm> target_;
};
