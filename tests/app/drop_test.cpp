// Files dropped on the main window open as Open opens them.
#include "mainwindowtestbase.h"

#include "support/fifofeeder.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

QMimeData *filesData(const QStringList &paths)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    return data;
}

} // namespace

class DropTest : public MainWindowTest {
protected:
    // A drag that enters `target`, as the platform delivers one, then drops
    // there; the files open once the drop has returned. Whether the drop was
    // taken is returned.
    bool drop(QWidget *target, QMimeData *data)
    {
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent dropped(QPointF(at), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropped);
        QCoreApplication::processEvents();
        delete data;
        return enter.isAccepted() && dropped.isAccepted();
    }
};

TEST_F(DropTest, SeveralDroppedFilesOpenEachInItsWindow)
{
    const QString a = cfg.write(QStringLiteral("a page.htm"), "<p>a</p>\n");
    const QString b = cfg.write(QStringLiteral("b.txt"), "bee\r\n");
    const QString link = cfg.path() + QStringLiteral("link.htm");
    ASSERT_TRUE(QFile::link(a, link));

    ASSERT_TRUE(drop(w.get(), filesData({a, b, link})));
    ASSERT_EQ(int(w->documents().size()), 3);
    const QList<TSubForm *> docs = w->documents();
    EXPECT_EQ(docs[0]->caption(), a);
    EXPECT_EQ(docs[0]->Memo1->text(), QStringLiteral("<p>a</p>\r\n"));
    EXPECT_EQ(docs[1]->caption(), b);
    EXPECT_EQ(docs[1]->Memo1->text(), QStringLiteral("bee\r\n"));
    EXPECT_EQ(docs[2]->caption(), link);
    EXPECT_FALSE(docs[2]->Memo1->modified());
    EXPECT_EQ(w->windowCommands().windowList(), (QStringList{a, b, link}));
    EXPECT_TRUE(dlg.messages.isEmpty());
}

TEST_F(DropTest, FoldersAndOtherNonFilesAreRefusedAndTheRestOpens)
{
    const QString folder = cfg.path() + QStringLiteral("pages");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString fifo = cfg.path() + QStringLiteral("pipe.htm");
    FifoFeeder feeder(fifo, "planted");
    ASSERT_TRUE(feeder.made());
    const QString page = cfg.write(QStringLiteral("page.htm"), "<p>ok</p>");

    ASSERT_TRUE(drop(w.get(), filesData({folder, fifo, page})));
    EXPECT_EQ(dlg.errors, (QStringList{QStringLiteral("Cannot open file ") + folder,
                                       QStringLiteral("Cannot open file ") + fifo}));
    // No empty window is left for what could not be opened.
    ASSERT_EQ(int(w->documents().size()), 1);
    EXPECT_EQ(w->currentDocument()->caption(), page);
    EXPECT_EQ(memo().text(), QStringLiteral("<p>ok</p>"));
    EXPECT_EQ(w->windowCommands().windowList(), QStringList{page});
}

TEST_F(DropTest, OpenRefusesAFolderTheSameWay)
{
    const QString folder = cfg.path() + QStringLiteral("site");
    ASSERT_TRUE(QDir().mkpath(folder));
    dlg.queueFile(folder);
    w->documentCommands().Open1Click();
    EXPECT_EQ(dlg.errors, QStringList{QStringLiteral("Cannot open file ") + folder});
    EXPECT_EQ(int(w->documents().size()), 0);
    // A file that is merely missing still leaves its window, as Open always has.
    const QString missing = cfg.path() + QStringLiteral("gone.htm");
    dlg.queueFile(missing);
    w->documentCommands().Open1Click();
    EXPECT_EQ(int(w->documents().size()), 1);
}

TEST_F(DropTest, FilesDroppedOnADocumentsTextOpenAndLeaveItsTextAlone)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("typed"));
    const QString page = cfg.write(QStringLiteral("dropped.htm"), "<b>dropped</b>");
    auto *data = filesData({page});
    // File managers add the path as text too; it must not land in the document.
    data->setText(page);

    ASSERT_TRUE(drop(w->documents().first()->Memo1->viewport(), data));
    ASSERT_EQ(int(w->documents().size()), 2);
    EXPECT_EQ(w->documents().first()->Memo1->text(), QStringLiteral("typed"));
    EXPECT_EQ(w->documents().last()->caption(), page);
    EXPECT_EQ(w->documents().last()->Memo1->text(), QStringLiteral("<b>dropped</b>"));
}

TEST_F(DropTest, DragsWithoutLocalFilesAreNotTaken)
{
    auto *text = new QMimeData;
    text->setText(QStringLiteral("just words"));
    EXPECT_FALSE(drop(w.get(), text));
    auto *web = new QMimeData;
    web->setUrls({QUrl(QStringLiteral("https://example.org/index.htm"))});
    EXPECT_FALSE(drop(w.get(), web));
    EXPECT_EQ(int(w->documents().size()), 0);
    EXPECT_TRUE(dlg.messages.isEmpty());
}
