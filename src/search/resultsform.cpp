#include "search/resultsform.h"

#include "documents/memo.h"
#include "documents/subform.h"
#include "platform/focusreturn.h"
#include "search/findinfiles.h"
#include "search/htmlcheck.h"
#include "search/matcher.h"
#include "search/resultlines.h"
#include "search/searchhost.h"

#include <QAction>
#include <QHideEvent>
#include <QListView>
#include <QMenu>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

TresultsForm::TresultsForm(SearchHost &host, QWidget *parent)
    : QWidget(parent, Qt::Tool), host_(host)
{
    setObjectName(QStringLiteral("resultsForm"));
    setWindowTitle(QStringLiteral("Search Results"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Results = new search::ResultListModel(this);
    ListBox1 = new QListView(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setModel(Results);
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBox1->setUniformItemSizes(true);   // many lines stay cheap to lay out
    layout->addWidget(ListBox1);

    PopupMenu1 = new QMenu(this);
    ClearSearResults1 = PopupMenu1->addAction(QStringLiteral("Clear Sear Results"));
    HideSearchResults1 = PopupMenu1->addAction(QStringLiteral("Hide Search Results"));
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(pos)); });
    connect(ClearSearResults1, &QAction::triggered, this, &TresultsForm::ClearSearResults1Click);
    connect(HideSearchResults1, &QAction::triggered, this, &TresultsForm::HideSearchResults1Click);
    connect(ListBox1, &QAbstractItemView::doubleClicked, this, &TresultsForm::ListBox1DblClick);

    setGeometry(42, 452, 750, 120);
}

bool TresultsForm::AddHits(const QString &searchText, const QString &fileName, bool matchCase,
                           bool wholeWord, TMemo *memo, bool regularExpression)
{
    if (!memo)
        return true;
    search::WrapOf wrapOf;
    if (memo->wrap()) {
        // Display-line numbers of the whole page are exact only once every
        // line has been wrapped.
        if (!memo->finishWrapping())
            return false;
        wrapOf = [memo](int line, search::WrappedLine &wrapped) {
            memo->screenLines(line, wrapped.firstDisplayLine, wrapped.starts);
        };
    }
    search::ResultLines lines(fileName);
    if (regularExpression) {
        const search::Matcher matcher(searchText, {matchCase, wholeWord, true});
        search::appendMatchingLines(lines, matcher, memo->text(), wrapOf);
    } else {
        search::appendLinesInDocument(lines, searchText, matchCase, wholeWord, memo->text(), wrapOf);
    }
    Results->append(std::move(lines));
    return true;
}

bool TresultsForm::AddHtmlCheck(const search::HtmlCheck &check, const QString &fileName, TMemo *memo)
{
    if (!memo)
        return true;
    if (memo->wrap() && !memo->finishWrapping())   // display lines of the whole page
        return false;
    search::ResultLines lines(fileName);
    for (const search::HtmlFinding &f : check.findings)
        lines.append(f.offset, memo->lineFromOffset(f.offset), f.text());
    if (check.truncated)
        lines.appendNote(search::truncatedText());
    if (check.findings.isEmpty())
        lines.appendNote(fileName + QStringLiteral(": ") + search::noProblemsText());
    Results->append(std::move(lines));
    return true;
}

void TresultsForm::ClearSearResults1Click()
{
    Results->clear();
}

void TresultsForm::HideSearchResults1Click()
{
    close();
}

void TresultsForm::ListBox1DblClick()
{
    const QModelIndex current = ListBox1->currentIndex();
    if (!current.isValid() || !ListBox1->selectionModel()->isSelected(current))
        return;
    const search::ResultTarget target = search::parseResultLine(Results->line(current.row()));
    if (!target.valid)
        return;
    // The main window's list runs from the most recently activated window.
    QList<TSubForm *> docs = host_.documentsLeastRecentFirst();
    std::reverse(docs.begin(), docs.end());
    QStringList titles;
    titles.reserve(docs.size());
    for (const TSubForm *doc : docs)
        titles.append(doc->caption());
    const int index = search::jumpTargetIndex(titles, target.fileName);
    if (index < 0)
        return;
    TSubForm *doc = docs[index];
    host_.bringToFront(doc);
    TMemo *memo = doc->Memo1;
    memo->setSelStart(0);
    memo->ensureCursorVisible();
    memo->setSelStart(target.offset);
    memo->ensureCursorVisible();
    // Where the view shows the line now: the jump does not wait for the wrap.
    keepLineClear(memo, memo->displayLineOfOffset(memo->selStart()));
    // The keyboard goes with the jump: the document's window is activated,
    // not only its text focused behind this window.
    focusInItsWindow(memo);
}

void TresultsForm::keepLineClear(TMemo *memo, int line)
{
    if (!isVisible())
        return;
    QWidget *view = memo->viewport();
    const QRect viewRect(view->mapToGlobal(QPoint(0, 0)), view->size());
    const QRect covered = frameGeometry().intersected(viewRect);
    search::CoveredView cover;
    cover.lineHeight = memo->lineHeight();
    const int top = viewRect.top() + memo->firstLineTop();
    cover.viewHeight = viewRect.bottom() + 1 - top;
    if (!covered.isEmpty()) {
        cover.coveredTop = covered.top() - top;
        cover.coveredBottom = covered.bottom() + 1 - top;
    }
    const int first = memo->firstVisibleLine();
    const int wanted = search::firstLineClearOf(line, first, cover);
    if (wanted != first)
        memo->setFirstVisibleLine(wanted);
}

void TresultsForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        emit shownChanged(true);
}

void TresultsForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit shownChanged(false);
}
