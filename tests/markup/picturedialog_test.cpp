#include "markup/mediafiles.h"
#include "markup/newpagedialog.h"
#include "markup/picturedialog.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QByteArray pngBytes(int w, int h, QRgb colour = qRgb(200, 30, 30))
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
    return path;
}

// A readable picture padded to exactly `size` bytes (the PNG reader stops
// at its end marker).
QString pictureOfSize(const QTemporaryDir &dir, const QString &name, qint64 size)
{
    QByteArray bytes = pngBytes(4, 4);
    EXPECT_LE(bytes.size(), size);
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    return writeFile(dir.filePath(name), bytes);
}

// The picture loads in the background: true once it is shown or refused.
bool loaded(TPictureDialog &d)
{
    return !d.isLoading() || QSignalSpy(&d, &TPictureDialog::pictureLoaded).wait(20000);
}

QSize shownSize(const TPictureDialog &d)
{
    return d.TheImage->pixmap().size();
}

} // namespace

TEST(PictureRules, PreviewScalesDownKeepingProportionsNeverUp)
{
    const QSize area(165, 165);
    EXPECT_EQ(markup::previewSize({400, 200}, area), QSize(165, 82));
    EXPECT_EQ(markup::previewSize({200, 400}, area), QSize(82, 165));
    EXPECT_EQ(markup::previewSize({50, 50}, area), QSize(50, 50));
    EXPECT_EQ(markup::previewSize({165, 165}, area), QSize(165, 165));
    EXPECT_EQ(markup::previewSize({166, 10}, area), QSize(165, 9));
    // A hair-thin picture keeps one pixel rather than vanishing.
    EXPECT_EQ(markup::previewSize({10000, 1}, area), QSize(165, 1));
    EXPECT_TRUE(markup::previewSize({0, 0}, area).isEmpty());
}

TEST(PictureRules, AddressAndCopyTarget)
{
    EXPECT_EQ(markup::imageRefFor("/home/u/pics/Cat.GIF", false), "Cat.GIF");
    EXPECT_EQ(markup::imageRefFor("/home/u/pics/Cat.GIF", true), "/home/u/pics/Cat.GIF");
    EXPECT_EQ(markup::imageRefFor(QString(), false), "");
    EXPECT_EQ(markup::copyTargetFor("/p/Cat.gif", "/site/", "/cwd"), "/site/Cat.gif");
    EXPECT_EQ(markup::copyTargetFor("/p/Cat.gif", "/site", "/cwd"), "/site/Cat.gif");
    EXPECT_EQ(markup::copyTargetFor("/p/Cat.gif", "", "/cwd"), "/cwd/Cat.gif");
}

TEST(PictureRules, FileSizeErrors)
{
    QTemporaryDir dir;
    EXPECT_EQ(markup::pictureFileSize(dir.filePath("gone.gif")).message, "File not found");
    EXPECT_EQ(markup::pictureFileSize(QString()).message, "File not found");
    EXPECT_EQ(markup::pictureFileSize(dir.path()).message, "File access denied");
    const QString path = writeFile(dir.filePath("a.gif"), QByteArray(3000, 'x'));
    const ResultOf<qint64> ok = markup::pictureFileSize(path);
    EXPECT_TRUE(ok);
    EXPECT_EQ(ok.value, 3000);
    const markup::ImageCommandText failed = markup::imageCommandText("a.gif", dir.filePath("b.gif"));
    EXPECT_TRUE(failed.text.isEmpty());
    EXPECT_EQ(failed.error, "File not found");
}

TEST(PictureDialog, ImageTagForEachSizeAndAddressKind)
{
    QTemporaryDir dir;
    ScriptedDialogs dlg;
    TPictureDialog d;
    d.show();
    EXPECT_EQ(d.windowTitle(), "Picture Dialog");
    const struct {
        qint64 size;
        const char *kilobytes;
    } cases[] = {{1023, "0"}, {2048, "2"}, {5000, "4"}};
    for (const auto &c : cases) {
        const QString name = QStringLiteral("Pic%1.png").arg(c.size);
        const QString path = pictureOfSize(dir, name, c.size);
        for (const bool absolute : {false, true}) {
            dlg.queueFile(path);
            d.BrowseBtn->click();
            ASSERT_TRUE(loaded(d));
            d.AbsoluteAddress->setChecked(absolute);
            d.ApplyBtn->click();
            EXPECT_EQ(d.result(), QDialog::Accepted);
            const QString ref = absolute ? path : name;
            EXPECT_EQ(d.ImageRef, ref);
            EXPECT_EQ(imageCommandResult(d, nullptr),
                      "<IMG SRC=\"" + ref + "\" BORDER=\"0\" ALT=\"" + name + " - " + c.kilobytes + "k\" >\r\n");
            d.show();
        }
    }
    EXPECT_TRUE(dlg.messages.isEmpty());
    ASSERT_FALSE(dlg.fileDialogs.isEmpty());
    EXPECT_EQ(dlg.fileDialogs.first().filter,
              "All Web Images (*jpg;*.gif;*.png)|*.jpg;*.gif;*.png|JPEG Image File (*.jpg)|*.jpg|"
              "GIF Image File (*.gif)|*.gif|PNG Image File (*.png)|*.png");
}

TEST(PictureDialog, ImageCommandFailsWhenTheFileIsGone)
{
    QTemporaryDir dir;
    ScriptedDialogs dlg;
    TPictureDialog d;
    d.show();
    // Nothing chosen: accepted with an empty address, but nothing to insert.
    d.ApplyBtn->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.ImageRef, "");
    EXPECT_EQ(imageCommandResult(d, nullptr), std::nullopt);

    const QString path = pictureOfSize(dir, "x.png", 2000);
    d.show();
    d.choosePicture(path);
    ASSERT_TRUE(loaded(d));
    d.ApplyBtn->click();
    QFile::remove(path);
    EXPECT_EQ(imageCommandResult(d, nullptr), std::nullopt);
    EXPECT_EQ(dlg.messages, QStringList({"File not found", "File not found"}));
}

TEST(PictureDialog, PreviewIsCentredAndScaledDownOnly)
{
    QTemporaryDir dir;
    ScriptedDialogs dlg;
    TPictureDialog d;
    d.show();
    EXPECT_EQ(d.TheImage->size(), QSize(165, 165));
    EXPECT_EQ(d.Shape1->size(), QSize(173, 173));
    EXPECT_TRUE(d.TheImage->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(d.TheImage->alignment() & Qt::AlignVCenter);

    d.choosePicture(writeFile(dir.filePath("wide.png"), pngBytes(400, 200)));
    ASSERT_TRUE(loaded(d));
    EXPECT_EQ(shownSize(d), QSize(165, 82));
    EXPECT_EQ(d.ImageLabel->text(), "wide.png");
    EXPECT_EQ(d.chosenPicture().size(), QSize(400, 200));   // the original is kept

    d.choosePicture(writeFile(dir.filePath("small.png"), pngBytes(50, 50)));
    ASSERT_TRUE(loaded(d));
    EXPECT_EQ(shownSize(d), QSize(50, 50));

    // A long name is shortened for show and does not widen the window.
    const QSize windowSize = d.size();
    const QString longName = QString(60, QLatin1Char('n')) + ".png";
    d.choosePicture(writeFile(dir.filePath(longName), pngBytes(5, 5)));
    ASSERT_TRUE(loaded(d));
    EXPECT_TRUE(d.ImageLabel->text().contains(QChar(0x2026)));
    EXPECT_TRUE(d.ImageLabel->text().endsWith(".png"));
    EXPECT_EQ(d.ImageLabel->toolTip(), dir.filePath(longName));
    EXPECT_EQ(d.size(), windowSize);
    EXPECT_TRUE(dlg.messages.isEmpty());
}

TEST(PictureDialog, UnloadablePictureKeepsThePreviousOne)
{
    QTemporaryDir dir;
    ScriptedDialogs dlg;
    TPictureDialog d;
    d.show();
    const QString good = writeFile(dir.filePath("good.png"), pngBytes(30, 20, qRgb(0, 0, 255)));
    d.choosePicture(good);
    ASSERT_TRUE(loaded(d));
    const QString bad = writeFile(dir.filePath("photo.tif"), QByteArray("II*\0", 4));
    dlg.queueFile(bad);
    d.BrowseBtn->click();
    ASSERT_TRUE(loaded(d));
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages.first(), "Unknown picture file extension (.tif)");
    EXPECT_EQ(d.ImagePath, bad);            // already taken over
    EXPECT_EQ(d.ImageLabel->text(), "good.png");
    EXPECT_EQ(shownSize(d), QSize(30, 20));
    EXPECT_EQ(d.TheImage->pixmap().toImage().pixel(5, 5), qRgb(0, 0, 255));
    EXPECT_TRUE(d.chosenPicture().isNull());   // the preview is not of the new file
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);   // hourglass gone again

    // A damaged file of a known kind fails the same way.
    dlg.queueFile(writeFile(dir.filePath("broken.gif"), QByteArray("GIF89a\x01")));
    d.BrowseBtn->click();
    ASSERT_TRUE(loaded(d));
    EXPECT_EQ(dlg.messages.size(), 2);
    EXPECT_EQ(shownSize(d), QSize(30, 20));
    EXPECT_TRUE(d.isVisible());
}

// The file is read and decoded off the window's thread; meanwhile nothing
// the user does can close the dialog or start a second load over the first.
TEST(PictureDialog, WhileAPictureLoadsTheDialogWaitsForIt)
{
    QTemporaryDir dir;
    ScriptedDialogs dlg;
    TPictureDialog d;
    d.show();
    const QString first = writeFile(dir.filePath("first.png"), pngBytes(30, 20));
    const QString second = writeFile(dir.filePath("second.png"), pngBytes(10, 10));
    d.choosePicture(first);
    ASSERT_TRUE(d.isLoading());
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    d.choosePicture(second);
    d.ApplyBtn->click();
    d.CancelBtn->click();
    d.close();
    EXPECT_TRUE(d.isVisible());
    ASSERT_TRUE(loaded(d));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(d.ImagePath, first);
    EXPECT_EQ(d.ImageLabel->text(), "first.png");
    EXPECT_EQ(shownSize(d), QSize(30, 20));
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(dlg.messages.isEmpty());

    // A dialog that goes while its picture loads takes the load with it.
    {
        TPictureDialog gone;
        gone.choosePicture(second);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(PictureDialog, SaveToHtmlFolderCopiesBesideTheDocument)
{
    QTemporaryDir pictures, site;
    ScriptedDialogs dlg;
    TPictureDialog d;
    const QByteArray bytes = pngBytes(12, 12);
    const QString path = writeFile(pictures.filePath("Logo.png"), bytes);
    writeFile(site.filePath("Logo.png"), "old");   // replaced
    d.DocumentFolder = site.path() + "/";
    d.show();
    d.choosePicture(path);
    ASSERT_TRUE(loaded(d));
    d.CopyImg->setChecked(true);
    d.ApplyBtn->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.ImageRef, "Logo.png");
    QFile copy(site.filePath("Logo.png"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), bytes);

    // Copying the picture onto itself leaves it whole.
    d.DocumentFolder = pictures.path() + "/";
    d.show();
    d.ApplyBtn->click();
    QFile same(path);
    ASSERT_TRUE(same.open(QIODevice::ReadOnly));
    EXPECT_EQ(same.readAll(), bytes);

    // A document without a file name: the current folder.
    const QString oldCurrent = QDir::currentPath();
    QTemporaryDir cwd;
    QDir::setCurrent(cwd.path());
    d.DocumentFolder.clear();
    d.show();
    d.ApplyBtn->click();
    QDir::setCurrent(oldCurrent);
    EXPECT_TRUE(QFile::exists(cwd.filePath("Logo.png")));
    EXPECT_TRUE(dlg.messages.isEmpty());
}

TEST(PictureDialog, FailedCopyShowsTheFileErrorAndStaysOpen)
{
    QTemporaryDir pictures, site;
    ScriptedDialogs dlg;
    TPictureDialog d;
    const QString path = writeFile(pictures.filePath("a.png"), pngBytes(8, 8));
    // A folder of the picture's name stands in the way, even for root.
    ASSERT_TRUE(QDir(site.path()).mkpath("a.png/inside"));
    d.DocumentFolder = site.path() + "/";
    d.ImageRef = "before";
    d.show();
    d.choosePicture(path);
    ASSERT_TRUE(loaded(d));
    d.CopyImg->setChecked(true);
    d.ApplyBtn->click();
    EXPECT_EQ(dlg.messages, QStringList({"Cannot create file " + site.path() + "/a.png"}));
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.ImageRef, "before");

    // No picture chosen at all.
    TPictureDialog fresh;
    fresh.show();
    fresh.CopyImg->setChecked(true);
    fresh.ApplyBtn->click();
    EXPECT_EQ(dlg.messages.last(), "Cannot open file ");
    EXPECT_TRUE(fresh.isVisible());
}

TEST(PictureDialog, SaveIntoReadOnlyFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    QTemporaryDir pictures, site;
    ScriptedDialogs dlg;
    TPictureDialog d;
    const QString path = writeFile(pictures.filePath("a.png"), pngBytes(8, 8));
    QFile::setPermissions(site.path(), QFile::ReadOwner | QFile::ExeOwner);
    d.DocumentFolder = site.path() + "/";
    d.show();
    d.choosePicture(path);
    ASSERT_TRUE(loaded(d));
    d.CopyImg->setChecked(true);
    d.ApplyBtn->click();
    QFile::setPermissions(site.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(dlg.messages, QStringList({"Cannot create file " + site.path() + "/a.png"}));
    EXPECT_TRUE(d.isVisible());
}

TEST(PictureDialog, CancelEmptiesTheAddressAndKeepsEverythingElse)
{
    QTemporaryDir dir;
    ScriptedDialogs dlg;
    TPictureDialog d;
    d.show();
    d.choosePicture(writeFile(dir.filePath("k.png"), pngBytes(20, 10)));
    ASSERT_TRUE(loaded(d));
    d.AbsoluteAddress->setChecked(true);
    d.CopyImg->setChecked(false);
    d.ApplyBtn->click();
    EXPECT_FALSE(d.ImageRef.isEmpty());
    d.show();
    d.CancelBtn->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_TRUE(d.ImageRef.isEmpty());
    d.show();
    EXPECT_TRUE(d.AbsoluteAddress->isChecked());
    EXPECT_EQ(d.ImageLabel->text(), "k.png");
    EXPECT_EQ(shownSize(d), QSize(20, 10));
}

TEST(PictureDialog, HandsTheBackgroundToTheNewPageDialog)
{
    QTemporaryDir dir;
    ScriptedDialogs dlg;
    TPictureDialog picture;
    TNewHtml page;
    const QString good = writeFile(dir.filePath("bg.png"), pngBytes(40, 40, qRgb(0, 128, 0)));
    // The modal run is replaced by showing and clicking.
    page.choosePicture = [&](const QString &folder) -> std::optional<TNewHtml::Background> {
        picture.DocumentFolder = folder;
        picture.show();
        picture.BrowseBtn->click();
        EXPECT_TRUE(loaded(picture));
        picture.ApplyBtn->click();
        return pageBackgroundResult(picture);
    };
    page.show();
    dlg.queueFile(good);
    page.BGIBtn->click();
    EXPECT_EQ(page.piclabel->text(), "bg.png");
    EXPECT_EQ(page.Image1->pixmap().toImage().pixel(2, 2), qRgb(0, 128, 0));

    // An unshowable picture: the address changes, the preview stays.
    dlg.queueFile(writeFile(dir.filePath("bg.tif"), "x"));
    page.BGIBtn->click();
    EXPECT_EQ(page.piclabel->text(), "bg.tif");
    EXPECT_EQ(page.Image1->pixmap().toImage().pixel(2, 2), qRgb(0, 128, 0));
    EXPECT_EQ(dlg.messages.size(), 1);
}
