#pragma once
// "Search Results": the lines found by Find in Files, kept until cleared. A
// double click on a line brings its document to the front with the caret at
// the start of the line. One instance lives for the whole run.
#include <QWidget>

class QAction;
class QListView;
class QMenu;
class SearchHost;
class TMemo;

namespace search {
class ResultListModel;
struct HtmlCheck;
}

class TresultsForm : public QWidget {
    Q_OBJECT
public:
    explicit TresultsForm(SearchHost &host, QWidget *parent = nullptr);

    QListView *ListBox1;
    search::ResultListModel *Results;
    QMenu *PopupMenu1;
    QAction *ClearSearResults1;
    QAction *HideSearchResults1;

    // Searches one document's text area and appends a line for each line of
    // it (as displayed) that holds the search text, or where a match of it
    // as a regular expression starts. The display lines are those of the
    // finished wrap: false, with nothing appended, when the user cancelled
    // the wait for it.
    bool AddHits(const QString &searchText, const QString &fileName, bool matchCase, bool wholeWord,
                 TMemo *memo, bool regularExpression = false);

    // Lists what the HTML check found in one document, each at its offset
    // and display line, or a note that it found nothing. False, with nothing
    // listed, when the wait for the wrap was cancelled.
    bool AddHtmlCheck(const search::HtmlCheck &check, const QString &fileName, TMemo *memo);

    void ClearSearResults1Click();
    void HideSearchResults1Click();
    void ListBox1DblClick();

signals:
    // The window was shown or hidden by the program or the user (closing it
    // by its title bar included), so the main window's "Sh&ow Search Results"
    // check can follow it. Hiding with the whole application does not count.
    void shownChanged(bool shown);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // Scrolls memo so that display line `line` is not under this window.
    void keepLineClear(TMemo *memo, int line);

    SearchHost &host_;
};
