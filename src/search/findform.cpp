#include "search/findform.h"

#include "documents/memo.h"
#include "documents/subform.h"
#include "documents/textfile.h"
#include "platform/dialogs.h"
#include "platform/windowcentre.h"
#include "search/findtext.h"
#include "search/matcher.h"
#include "search/searchhost.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QKeySequence>
#include <QPushButton>

namespace {

// A check box with its caption on the left of the box.
QCheckBox *leftLabelledCheck(const QString &caption, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setLayoutDirection(Qt::RightToLeft);
    return box;
}

} // namespace

TFindForm::TFindForm(SearchHost &host, QWidget *parent)
    : QWidget(parent, Qt::Tool), host_(host)
{
    setObjectName(QStringLiteral("FindForm"));
    setWindowTitle(QStringLiteral("Find"));

    FindLabel = new QLabel(QStringLiteral("Find what?"), this);
    FindLabel->setGeometry(8, 6, 246, 18);
    Findtxt = new QLineEdit(this);
    Findtxt->setObjectName(QStringLiteral("Findtxt"));
    Findtxt->setGeometry(8, 26, 246, 26);
    FindLabel->setBuddy(Findtxt);

    Label1 = new QLabel(QStringLiteral("Replace with ..."), this);
    Label1->setGeometry(8, 62, 246, 18);
    ReplaceTxt = new QLineEdit(this);
    ReplaceTxt->setObjectName(QStringLiteral("ReplaceTxt"));
    ReplaceTxt->setGeometry(8, 82, 246, 26);
    Label1->setBuddy(ReplaceTxt);
    RepAllBtn = new QPushButton(QStringLiteral("Replace All"), this);
    RepAllBtn->setGeometry(8, 118, 110, 30);
    RepAllBtn->setEnabled(false);
    RepBtn = new QPushButton(QStringLiteral("Replace"), this);
    RepBtn->setGeometry(144, 118, 110, 30);
    RepBtn->setEnabled(false);

    // The bottom panel lies over the replace row; in Find mode the window is
    // too short to show anything above the panel but the search field.
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    MatchCase = leftLabelledCheck(QStringLiteral("Match Case"), Panel1);
    MatchCase->setGeometry(8, 1, 112, 22);
    WholeWord = leftLabelledCheck(QStringLiteral("Whole word"), Panel1);
    WholeWord->setGeometry(134, 1, 120, 22);
    WrapAround = leftLabelledCheck(QStringLiteral("Wrap around"), Panel1);
    WrapAround->setObjectName(QStringLiteral("WrapAround"));
    WrapAround->setGeometry(8, 23, 112, 22);
    HighlightAll = leftLabelledCheck(QStringLiteral("Highlight all"), Panel1);
    HighlightAll->setObjectName(QStringLiteral("HighlightAll"));
    HighlightAll->setGeometry(134, 23, 120, 22);
    // Its box under the right-hand column's; the caption needs the width.
    RegularExpression = leftLabelledCheck(QStringLiteral("Regular expression"), Panel1);
    RegularExpression->setObjectName(QStringLiteral("RegularExpression"));
    RegularExpression->setGeometry(8, 45, 246, 22);
    CloseBtn = new QPushButton(QStringLiteral("Close"), Panel1);
    CloseBtn->setGeometry(8, 69, 90, 26);
    FindBtn = new QPushButton(QStringLiteral("Find Next"), Panel1);
    FindBtn->setGeometry(164, 69, 90, 26);
    FindBtn->setDefault(true);
    // F3 is the main window's "Find Next", which also acts while this tool
    // window has the keyboard: a second F3 here made the key ambiguous, and
    // then neither ran.
    Panel1->raise();

    setTabOrder(Findtxt, ReplaceTxt);
    setTabOrder(ReplaceTxt, RepAllBtn);
    setTabOrder(RepAllBtn, RepBtn);
    setTabOrder(RepBtn, MatchCase);
    setTabOrder(MatchCase, WholeWord);
    setTabOrder(WholeWord, WrapAround);
    setTabOrder(WrapAround, HighlightAll);
    setTabOrder(HighlightAll, RegularExpression);
    setTabOrder(RegularExpression, FindBtn);
    setTabOrder(FindBtn, CloseBtn);

    connect(FindBtn, &QPushButton::clicked, this, &TFindForm::FindBtnClick);
    connect(RepBtn, &QPushButton::clicked, this, &TFindForm::RepBtnClick);
    connect(RepAllBtn, &QPushButton::clicked, this, &TFindForm::RepAllBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TFindForm::CloseBtnClick);
    connect(Findtxt, &QLineEdit::textChanged, this, &TFindForm::FindtxtChange);
    connect(Findtxt, &QLineEdit::returnPressed, this, &TFindForm::FindBtnClick);
    // The marks follow the search as it is typed and its options.
    connect(Findtxt, &QLineEdit::textChanged, this, &TFindForm::updateHighlight);
    for (QCheckBox *box : {MatchCase, WholeWord, RegularExpression, HighlightAll})
        connect(box, &QCheckBox::toggled, this, &TFindForm::updateHighlight);

    setFixedSize(ClientWidth, FindModeHeight);
    // Where the user moves it, it stays for the next search.
    centreOnOwnerWhenShown(this, true);
}

void TFindForm::Find1Click()
{
    open(1);
}

void TFindForm::Replace1Click()
{
    open(2);
}

void TFindForm::open(int mode)
{
    TSubForm *doc = host_.currentDocument();
    if (!doc)
        return;
    doc->Memo1->setSelStart(0);
    FormShow(doc, mode);
}

void TFindForm::FormShow(TSubForm *doc, int mode)
{
    target_ = doc;
    ReplaceMode = mode == 2;
    setWindowTitle(ReplaceMode ? QStringLiteral("Find and Replace") : QStringLiteral("Find"));
    setFixedSize(ClientWidth, ReplaceMode ? ReplaceModeHeight : FindModeHeight);
    // Controls under the panel must not take the focus by Tab either.
    for (QWidget *w : {static_cast<QWidget *>(Label1), static_cast<QWidget *>(ReplaceTxt),
                       static_cast<QWidget *>(RepAllBtn), static_cast<QWidget *>(RepBtn)})
        w->setVisible(ReplaceMode);
    show();
    raise();
    activateWindow();
    Findtxt->setFocus();
    updateHighlight();
}

search::FindOptions TFindForm::options() const
{
    return {MatchCase->isChecked(), WholeWord->isChecked(), RegularExpression->isChecked(),
            WrapAround->isChecked()};
}

bool TFindForm::validMatcher(search::Matcher &matcher)
{
    matcher = search::Matcher(Findtxt->text(), options());
    if (matcher.valid())
        return true;
    dialogs().error(matcher.errorMessage(), this);
    return false;
}

void TFindForm::updateHighlight()
{
    TMemo *memo = isVisible() && HighlightAll->isChecked() ? TargetMemo() : nullptr;
    if (!memo) {
        highlighter_.clear();
        return;
    }
    const search::Matcher matcher(Findtxt->text(), options());
    // Typing an expression passes through invalid ones: said quietly.
    if (!matcher.valid())
        host_.showSearchNote(matcher.errorMessage());
    highlighter_.show(memo, matcher);
}

TMemo *TFindForm::TargetMemo()
{
    if (isOpenDocument(host_, target_))
        return target_->Memo1;
    // The bound document has closed: carry on in the current one, if any.
    target_ = host_.currentDocument();
    TMemo *memo = target_ ? target_->Memo1 : nullptr;
    if (memo && highlighter_.memo() != memo && isVisible() && HighlightAll->isChecked())
        highlighter_.show(memo, search::Matcher(Findtxt->text(), options()));
    return memo;
}

void TFindForm::FindBtnClick()
{
    TMemo *memo = TargetMemo();
    if (!memo)
        return;
    if (ReplaceMode && ReplaceAllRun) {
        runReplaceAll(memo);
        return;
    }
    search::Matcher matcher;
    if (!validMatcher(matcher))
        return;
    const search::FindHit hit =
        search::findNext(memo->text(), memo->selStart(), matcher, WrapAround->isChecked());
    if (!hit.found()) {
        dialogs().message(QString::fromLatin1(search::EndOfSearchMessage), this);
        return;
    }
    if (hit.wrapped)
        host_.showSearchNote(QString::fromLatin1(search::WrappedMessage));
    memo->setFocus();
    memo->setSelection(hit.offset, hit.length);
    memo->ensureCursorVisible();
    if (ReplaceMode)
        RepBtn->setEnabled(true);
}

void TFindForm::FindNextInCurrent()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc)
        return;
    if (Findtxt->text().isEmpty()) {
        open(1);
        return;
    }
    if (target_ != doc) {
        target_ = doc;
        updateHighlight();   // the marks go with the search to this document
    }
    FindBtnClick();
}

void TFindForm::runReplaceAll(TMemo *memo)
{
    search::Matcher matcher;
    if (!validMatcher(matcher))
        return;
    const QString replacement = textfile::normalizeLineBreaks(ReplaceTxt->text());
    const search::ReplaceAllResult result =
        search::replaceAll(memo->text(), memo->selStart(), Findtxt->text(), replacement, options());
    if (!result.replacements.isEmpty()) {
        // One undo group: a single Undo takes the whole run back, and the
        // view is not scrolled to every hit on the way.
        memo->beginUndoGroup();
        for (const search::Replacement &r : result.replacements)
            memo->replaceRange(r.offset, r.length, r.text);
        memo->endUndoGroup();
        memo->setFocus();
        memo->setSelStart(result.replacements.last().offset + int(result.replacements.last().text.size()));
        memo->ensureCursorVisible();
    }
    dialogs().message(search::replacementsMadeMessage(result.count), this);
    dialogs().message(QString::fromLatin1(search::EndOfSearchMessage), this);
}

void TFindForm::RepBtnClick()
{
    if (TMemo *memo = TargetMemo()) {
        QString with = ReplaceTxt->text();
        if (RegularExpression->isChecked()) {
            // The groups of the hit that is selected, when it still is one.
            const search::Matcher matcher(Findtxt->text(), options());
            with = matcher.replacementFor(memo->text(), {memo->selStart(), memo->selLength()}, with);
        }
        memo->replaceSelection(textfile::normalizeLineBreaks(with));
    }
    RepBtn->setEnabled(false);
}

void TFindForm::RepAllBtnClick()
{
    ReplaceAllRun = true;
    FindBtnClick();
    RepAllBtn->setEnabled(false);
    ReplaceAllRun = false;
}

void TFindForm::FindtxtChange()
{
    RepAllBtn->setEnabled(true);
}

void TFindForm::CloseBtnClick()
{
    close();
}

void TFindForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // The marks belong to the open window.
    if (!isVisible())
        highlighter_.clear();
}

void TFindForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Panel1->setGeometry(0, height() - PanelHeight, width(), PanelHeight);
}

TSubForm *TFindForm::targetDocument() const
{
    return target_;
}
