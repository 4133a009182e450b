#include "documents/textfile.h"

#include "support/fifofeeder.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>
#include "support/filebytes.h"

using textfile::Encoding;

namespace {

// Load, save in the detected encoding, return what was written.
QByteArray roundTrip(const QTemporaryDir &dir, const QByteArray &bytes, Encoding *detected = nullptr)
{
    const QString path = dir.filePath(QStringLiteral("doc.htm"));
    writeAll(path, bytes);
    textfile::Decoded d;
    EXPECT_EQ(textfile::load(path, d), textfile::LoadStatus::Ok);
    if (detected)
        *detected = d.encoding;
    Encoding used = d.encoding;
    EXPECT_TRUE(textfile::save(path, d.text, d.encoding, &used, d.byteOrderMark));
    EXPECT_EQ(used, d.encoding);
    return readAll(path);
}

} // namespace

TEST(TextFileDecode, EveryLineBreakBecomesCrLf)
{
    EXPECT_EQ(textfile::decode("a\nb\n").text, QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(textfile::decode("a\rb\r").text, QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(textfile::decode("a\r\nb").text, QStringLiteral("a\r\nb"));
    EXPECT_EQ(textfile::decode("\n\r\r\n\n\r").text, QStringLiteral("\r\n\r\n\r\n\r\n\r\n"));
    EXPECT_EQ(textfile::decode("a\r\r\nb\n\rc").text, QStringLiteral("a\r\n\r\nb\r\n\r\nc"));
    EXPECT_EQ(textfile::decode("").text, QString());
}

TEST(TextFileDecode, NormalizeReturnsSharedTextWhenAlreadyCrLf)
{
    const QString crlf = QString::fromLatin1("one\r\ntwo\r\n");
    const QString same = textfile::normalizeLineBreaks(crlf);
    EXPECT_EQ(same, crlf);
    EXPECT_EQ(same.constData(), crlf.constData());
    EXPECT_EQ(textfile::normalizeLineBreaks(QStringLiteral("x\ny\r")), QStringLiteral("x\r\ny\r\n"));
}

TEST(TextFileDecode, TextEndsAtFirstZeroByte)
{
    const auto d = textfile::decode(QByteArray("ab\ncd\0ef\ngh", 11));
    EXPECT_EQ(d.text, QStringLiteral("ab\r\ncd"));
    EXPECT_EQ(textfile::decode(QByteArray("\0abc", 4)).text, QString());
    // The zero byte also cuts off a byte that would otherwise make the text invalid UTF-8.
    EXPECT_EQ(textfile::decode(QByteArray("ok\0\xff", 4)).encoding, Encoding::Utf8);
}

TEST(TextFileDecode, AByteOrderMarkIsNotedAndKeptOutOfTheText)
{
    auto d = textfile::decode("\xEF\xBB\xBF" "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(d.encoding, Encoding::Utf8);
    EXPECT_TRUE(d.byteOrderMark);
    EXPECT_EQ(d.text, QString::fromUtf16(u"caf\u00E9 \u20AC"));
    // Only one mark is the file's; a second one is a character of the text.
    d = textfile::decode("\xEF\xBB\xBF\xEF\xBB\xBFx");
    EXPECT_TRUE(d.byteOrderMark);
    EXPECT_EQ(d.text, QString(QChar(0xFEFF)) + QLatin1Char('x'));
    d = textfile::decode("x\xEF\xBB\xBF");
    EXPECT_FALSE(d.byteOrderMark);
    EXPECT_EQ(d.text, QStringLiteral("x") + QChar(0xFEFF));
    // Not valid UTF-8 after the mark: windows-1252, every byte a character.
    d = textfile::decode("\xEF\xBB\xBF\xE9");
    EXPECT_FALSE(d.byteOrderMark);
    EXPECT_EQ(d.encoding, Encoding::Windows1252);
    EXPECT_EQ(d.text.size(), 4);
    EXPECT_EQ(textfile::encode(QStringLiteral("a"), Encoding::Utf8, nullptr, true), QByteArray("\xEF\xBB\xBF" "a"));
    EXPECT_EQ(textfile::saveFormatName(Encoding::Utf8, true), QStringLiteral("UTF-8 with BOM, CR LF"));
}

TEST(TextFileDecode, InvalidUtf8ReadsAsWindows1252)
{
    // A lone high byte, a truncated sequence, an overlong form and an encoded surrogate.
    for (const QByteArray &bad : {QByteArray("caf\xE9"), QByteArray("ab\xE2\x82"),
                                  QByteArray("\xC0\xAF"), QByteArray("\xED\xA0\x80")}) {
        EXPECT_EQ(textfile::decode(bad).encoding, Encoding::Windows1252) << bad.toHex().constData();
    }
    const auto d = textfile::decode("\x80\x81\x8D\x8F\x90\x9D\x9F\xA0\xE9\xFF\r");
    EXPECT_EQ(d.encoding, Encoding::Windows1252);
    EXPECT_EQ(d.text, QString::fromUtf16(u"\u20AC\u0081\u008D\u008F\u0090\u009D\u0178\u00A0\u00E9\u00FF\r\n"));
}

TEST(TextFileEncode, Windows1252MapsEveryByteBack)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    const QString text = textfile::decodeWindows1252(all);
    Encoding used = Encoding::Utf8;
    EXPECT_EQ(textfile::encode(text, Encoding::Windows1252, &used), all);
    EXPECT_EQ(used, Encoding::Windows1252);
    EXPECT_TRUE(textfile::fitsWindows1252(text));
}

TEST(TextFileEncode, UnrepresentableCharacterFallsBackToUtf8)
{
    const QString text = QString::fromUtf16(u"caf\u00E9 \u0142\r\n");
    Encoding used = Encoding::Windows1252;
    EXPECT_EQ(textfile::encode(text, Encoding::Windows1252, &used), text.toUtf8());
    EXPECT_EQ(used, Encoding::Utf8);
    EXPECT_FALSE(textfile::fitsWindows1252(text));
    // U+0080 is not the byte 0x80 (that is the euro sign).
    EXPECT_EQ(textfile::encode(QString(QChar(0x80)), Encoding::Windows1252, &used), QByteArray("\xC2\x80"));
    EXPECT_EQ(used, Encoding::Utf8);
}

TEST(TextFileRoundTrip, CrLfFilesAreByteExact)
{
    QTemporaryDir dir;
    Encoding enc;
    EXPECT_EQ(roundTrip(dir, "<p>\r\nx\r\n", &enc), QByteArray("<p>\r\nx\r\n"));
    EXPECT_EQ(enc, Encoding::Utf8);
    EXPECT_EQ(roundTrip(dir, "no break at end"), QByteArray("no break at end"));
    EXPECT_EQ(roundTrip(dir, ""), QByteArray(""));
    const QByteArray bom("\xEF\xBB\xBF<html>\r\n\xC3\xA9\r\n");
    EXPECT_EQ(roundTrip(dir, bom), bom);
    EXPECT_EQ(roundTrip(dir, "\xEF\xBB\xBF"), QByteArray("\xEF\xBB\xBF"));
}

TEST(TextFileRoundTrip, OtherLineBreaksComeBackAsCrLf)
{
    QTemporaryDir dir;
    EXPECT_EQ(roundTrip(dir, "a\nb\n"), QByteArray("a\r\nb\r\n"));
    EXPECT_EQ(roundTrip(dir, "a\rb\r"), QByteArray("a\r\nb\r\n"));
    EXPECT_EQ(roundTrip(dir, "a\nb\r\nc\rd"), QByteArray("a\r\nb\r\nc\r\nd"));
}

TEST(TextFileRoundTrip, EveryNonZeroByteSurvivesWindows1252)
{
    QTemporaryDir dir;
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            all.append(char(b));
    }
    all.append("\r\n");
    Encoding enc;
    EXPECT_EQ(roundTrip(dir, all, &enc), all);
    EXPECT_EQ(enc, Encoding::Windows1252);
}

TEST(TextFileSave, TypedCharacterOutsideWindows1252SavesAsUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.txt"));
    writeAll(path, "caf\xE9");
    textfile::Decoded d;
    ASSERT_EQ(textfile::load(path, d), textfile::LoadStatus::Ok);
    ASSERT_EQ(d.encoding, Encoding::Windows1252);
    Encoding used = Encoding::Windows1252;
    ASSERT_TRUE(textfile::save(path, d.text + QChar(0x3A9), d.encoding, &used));
    EXPECT_EQ(used, Encoding::Utf8);
    EXPECT_EQ(readAll(path), QByteArray("caf\xC3\xA9\xCE\xA9"));
}

TEST(TextFileLoad, MissingFileOrFolderLeavesOutputUntouched)
{
    QTemporaryDir dir;
    textfile::Decoded d;
    d.text = QStringLiteral("keep");
    EXPECT_EQ(textfile::load(dir.filePath(QStringLiteral("none.htm")), d), textfile::LoadStatus::CannotOpen);
    EXPECT_EQ(textfile::load(dir.path(), d), textfile::LoadStatus::CannotOpen);
    EXPECT_EQ(d.text, QStringLiteral("keep"));
}

TEST(TextFileSave, FailedSaveLeavesOldFileIntact)
{
    QTemporaryDir dir;
    const QString sub = dir.filePath(QStringLiteral("ro"));
    ASSERT_TRUE(QDir().mkdir(sub));
    const QString path = sub + QStringLiteral("/page.htm");
    writeAll(path, "old\r\n");
    testuser::handOver(dir.path());
    // Neither the folder nor the file may be written.
    QFile::setPermissions(path, QFile::ReadOwner);
    QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner);
    {
        Unprivileged as;
        const Result saved = textfile::save(path, QStringLiteral("new"), Encoding::Utf8);
        EXPECT_FALSE(saved);
        EXPECT_EQ(saved.message, QStringLiteral("Permission denied"));
        EXPECT_FALSE(textfile::save(sub + QStringLiteral("/fresh.htm"), QStringLiteral("x"), Encoding::Utf8));
        EXPECT_EQ(textfile::copyFile(path, sub + QStringLiteral("/page.bak")).failed, textfile::CopyFailed::Target);
    }
    QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readAll(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(sub).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("page.htm")});
}

TEST(TextFileSave, SaveIntoMissingFolderFails)
{
    QTemporaryDir dir;
    EXPECT_FALSE(textfile::save(dir.filePath(QStringLiteral("no/such.htm")), QStringLiteral("x"),
                                Encoding::Utf8));
}

TEST(TextFileCopy, CopiesBytesUnchangedAndReportsWhichSideFailed)
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("Index.HTM"));
    const QByteArray bytes("a\nb\r\0\xff", 6);
    writeAll(src, bytes);
    const QString bak = dir.filePath(QStringLiteral("index.bak"));
    writeAll(bak, "older backup that is longer");
    EXPECT_EQ(textfile::copyFile(src, bak).failed, textfile::CopyFailed::Nothing);
    EXPECT_EQ(readAll(bak), bytes);
    EXPECT_EQ(textfile::copyFile(dir.filePath(QStringLiteral("gone.htm")), bak).failed, textfile::CopyFailed::Source);
    EXPECT_EQ(readAll(bak), bytes);
    EXPECT_EQ(textfile::copyFile(src, dir.filePath(QStringLiteral("no/dir.bak"))).failed, textfile::CopyFailed::Target);
}

TEST(TextFileSave, ReplacingAFileKeepsItsPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("build.sh"));
    writeAll(path, "#!/bin/sh\n");
    const QFile::Permissions mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser
                                  | QFile::WriteUser | QFile::ExeUser | QFile::ReadGroup | QFile::ExeGroup;
    ASSERT_TRUE(QFile::setPermissions(path, mode));
    ASSERT_TRUE(textfile::save(path, QStringLiteral("#!/bin/sh\r\necho\r\n"), Encoding::Utf8));
    EXPECT_EQ(QFile::permissions(path), mode);
    EXPECT_EQ(textfile::copyFile(path, dir.filePath(QStringLiteral("build.bak"))).failed, textfile::CopyFailed::Nothing);
}

TEST(TextFileLoad, ZeroBytesRefuseTheFileInsteadOfCuttingIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zero.htm"));
    writeAll(path, QByteArray("a\nb\0c\n", 6));
    textfile::Decoded d;
    d.text = QStringLiteral("keep");
    EXPECT_EQ(textfile::load(path, d), textfile::LoadStatus::ZeroBytes);
    EXPECT_EQ(d.text, QStringLiteral("keep"));
    EXPECT_EQ(textfile::loadFailureMessage(textfile::LoadStatus::ZeroBytes, path),
              path + QStringLiteral(" contains NUL bytes and cannot be edited as text"));
    EXPECT_EQ(textfile::loadFailureMessage(textfile::LoadStatus::CannotOpen, path), QStringLiteral("Cannot open file ") + path);
    EXPECT_EQ(textfile::loadFailureMessage(textfile::LoadStatus::TooLarge, path), QStringLiteral("Text exceeds memo capacity"));
}

TEST(TextFileLoad, AFifoIsRefusedWithoutWaitingForAWriter)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("page.htm"));
    FifoFeeder feeder(fifo, "planted");
    ASSERT_TRUE(feeder.made());
    textfile::Decoded d;
    EXPECT_EQ(textfile::load(fifo, d), textfile::LoadStatus::CannotOpen);
    EXPECT_EQ(textfile::copyFile(fifo, dir.filePath(QStringLiteral("page.bak"))).failed, textfile::CopyFailed::Source);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("page.bak"))));
}

TEST(TextFileCopy, BackupAndAutosaveCopyTakeTheDocumentsModeAndSayWhyTheyFail)
{
    QTemporaryDir dir;
    const QString doc = dir.filePath(QStringLiteral("page.htm"));
    writeAll(doc, "secret\r\n");
    ASSERT_TRUE(QFile::setPermissions(doc, QFile::ReadOwner | QFile::WriteOwner));
    const QString bak = dir.filePath(QStringLiteral("page.bak"));
    ASSERT_EQ(textfile::copyFile(doc, bak).failed, textfile::CopyFailed::Nothing);
    EXPECT_EQ(QFile::permissions(bak), QFile::permissions(doc));
    const QString side = dir.filePath(QStringLiteral("autosave_page.tmp"));
    ASSERT_TRUE(textfile::saveSideFile(side, doc, QStringLiteral("typed\r\n"), Encoding::Utf8));
    EXPECT_EQ(QFile::permissions(side), QFile::permissions(doc));
    EXPECT_EQ(readAll(side), QByteArray("typed\r\n"));

    textfile::CopyResult copied = textfile::copyFile(dir.filePath(QStringLiteral("gone.htm")), bak);
    EXPECT_EQ(copied.failed, textfile::CopyFailed::Source);
    EXPECT_EQ(copied.message, QStringLiteral("No such file or directory"));
    copied = textfile::copyFile(doc, dir.filePath(QStringLiteral("no/page.bak")));
    EXPECT_EQ(copied.failed, textfile::CopyFailed::Target);
    EXPECT_EQ(copied.message, QStringLiteral("No such file or directory"));
    ASSERT_TRUE(QDir().mkdir(dir.filePath(QStringLiteral("in-the-way.bak"))));
    copied = textfile::copyFile(doc, dir.filePath(QStringLiteral("in-the-way.bak")));
    EXPECT_EQ(copied.failed, textfile::CopyFailed::Target);
    EXPECT_EQ(copied.message, QStringLiteral("Is a directory"));
}
