#include "formmaker/formfile.h"
#include "formmaker/formhtml.h"
#include "formmaker_test_printers.h"
#include "support/fifofeeder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace formmaker;

namespace {

FormFileData threeElements()
{
    FormFileData d;
    d.settings.FormName = "order";
    d.settings.Method = "Get";
    d.settings.Action = "/order";
    d.settings.OnSubmit = "return ok()";
    d.settings.SubmitOn = true;
    d.settings.SubmitValue = "Send";
    d.settings.ResetOn = true;
    d.settings.ResetValue = "Again";
    d.LastIndex = 2;
    d.Elements[0] = {"Name:", "", "text", 20, 40, "n", "", "N", "check()"};
    d.Elements[1] = {"Note", "Type here", "textarea", 30, 4, "note", "", "", ""};
    d.Elements[2] = {"Colour", "", "select", 1, 0, "c", "", "", "pick()"};
    TElementOptions &o = d.ElementOptions[2];
    o.RowCount = 3;
    o.OptionText[1] = "Red";
    o.OptionValue[1] = "r";
    o.OptionSelected[1] = "Y";
    o.OptionText[2] = "Blue";
    return d;
}

QString writeBytes(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

} // namespace

TEST(FormFile, AnEmptyListIsJustTheHeaderEndingInMinusOne)
{
    FormFileData d;
    const QByteArray bytes = encodeFormFile(d);
    ASSERT_EQ(bytes.size(), 572);
    EXPECT_EQ(bytes.right(4), QByteArray("\xFF\xFF\xFF\xFF", 4));
    EXPECT_EQ(bytes.mid(51, 5), QByteArray("\x04Post", 5));

    FormFileData back;
    Result error;
    ASSERT_TRUE((error = decodeFormFile(bytes, back)));
    EXPECT_EQ(back.LastIndex, -1);
    EXPECT_EQ(back.settings, d.settings);
}

TEST(FormFile, RecordsLieAtTheirOffsets)
{
    const FormFileData d = threeElements();
    const QByteArray b = encodeFormFile(d);
    ASSERT_EQ(b.size(), 7880);
    EXPECT_EQ(b.mid(0, 6), QByteArray("\x05order", 6));
    EXPECT_EQ(b.mid(62, 7), QByteArray("\x06/order", 7));
    EXPECT_EQ(b.at(464), 1);
    EXPECT_EQ(b.at(465), 1);
    EXPECT_EQ(b.mid(466, 5), QByteArray("\x04Send", 5));
    EXPECT_EQ(b.mid(517, 6), QByteArray("\x05" "Again", 6));
    EXPECT_EQ(qFromLittleEndian<qint32>(b.constData() + 568), 2);

    const char *e1 = b.constData() + 572 + 2436;   // the text area
    EXPECT_EQ(QByteArray(e1, 5), QByteArray("\x04Note", 5));
    EXPECT_EQ(QByteArray(e1 + 256, 10), QByteArray("\x09Type here", 10));
    EXPECT_EQ(QByteArray(e1 + 512, 9), QByteArray("\x08textarea", 9));
    EXPECT_EQ(qFromLittleEndian<qint32>(e1 + 524), 30);
    EXPECT_EQ(qFromLittleEndian<qint32>(e1 + 528), 4);
    EXPECT_EQ(QByteArray(e1 + 532, 5), QByteArray("\x04note", 5));

    const char *o2 = b.constData() + 572 + 2 * 2436 + 1288;
    EXPECT_EQ(qFromLittleEndian<qint32>(o2), 3);
    EXPECT_EQ(QByteArray(o2 + 4 + 51, 4), QByteArray("\x03Red", 4));
    EXPECT_EQ(QByteArray(o2 + 565 + 51, 2), QByteArray("\x01r", 2));
    EXPECT_EQ(QByteArray(o2 + 1126 + 2, 2), QByteArray("\x01Y", 2));
    EXPECT_EQ(QByteArray(o2 + 4 + 102, 5), QByteArray("\x04" "Blue", 5));
}

TEST(FormFile, EncodeAndDecodeRoundTripTheWholeForm)
{
    const FormFileData d = threeElements();
    FormFileData back;
    Result error;
    ASSERT_TRUE((error = decodeFormFile(encodeFormFile(d), back)));
    EXPECT_EQ(back.settings, d.settings);
    EXPECT_EQ(back.LastIndex, 2);
    EXPECT_EQ(back.Elements, d.Elements);
    EXPECT_EQ(back.ElementOptions, d.ElementOptions);
}

TEST(FormFile, LongTextsAreCutToTheFieldCapacities)
{
    FormFileData d;
    d.settings.FormName = QString(60, 'n');
    d.settings.Method = "PostAndMoreText";
    d.settings.Action = QString(250, 'a');
    d.LastIndex = 0;
    d.Elements[0].ElementType = "twelve-chars";
    d.ElementOptions[0].OptionSelected[1] = "Yes";
    FormFileData back;
    Result error;
    ASSERT_TRUE((error = decodeFormFile(encodeFormFile(d), back)));
    EXPECT_EQ(back.settings.FormName, QString(50, 'n'));
    EXPECT_EQ(back.settings.Method, "PostAndMor");
    EXPECT_EQ(back.settings.Action, QString(200, 'a'));
    EXPECT_EQ(back.Elements[0].ElementType, "twelve-char");   // the field holds 11
    EXPECT_EQ(back.ElementOptions[0].OptionSelected[1], "Y");
}

TEST(FormFile, TextsAreWindows1252WithQuestionMarksForTheRest)
{
    EXPECT_EQ(toWindows1252(QString::fromUtf8("é€‰\u0081Ωx")), QByteArray("\xE9\x80\x89\x81?x"));
    EXPECT_EQ(toWindows1252(QString::fromUcs4(U"\U0001F600")), QByteArray("?"));
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
    EXPECT_EQ(fromWindows1252("\x80\x9F\xFF"), QString::fromUtf8("€Ÿÿ"));
}

TEST(FormFile, ALengthByteBeyondTheCapacityReadsOnlyTheField)
{
    QByteArray b = encodeFormFile(FormFileData{});
    b[51] = char(200);   // Method has room for 10
    memcpy(b.data() + 52, "0123456789ABC", 13);
    FormFileData back;
    Result error;
    ASSERT_TRUE((error = decodeFormFile(b, back)));
    EXPECT_EQ(back.settings.Method, "0123456789");
}

TEST(FormFile, DamagedImagesAreRefusedAndLeaveTheDataAlone)
{
    FormFileData target = threeElements();
    const FormFileData before = target;
    Result error;
    EXPECT_FALSE((error = decodeFormFile(QByteArray(571, '\0'), target)));
    EXPECT_EQ(error.message, "the file is shorter than a form file's header");

    QByteArray shortOne = encodeFormFile(threeElements());
    shortOne.chop(1);
    EXPECT_FALSE((error = decodeFormFile(shortOne, target)));
    EXPECT_EQ(error.message, "the file is shorter than its header announces");

    for (qint32 last : {51, -2, 0x7fffffff, qint32(0x80000000)}) {
        QByteArray big = encodeFormFile(FormFileData{});
        big.append(QByteArray(60 * 2436, '\0'));
        qToLittleEndian<qint32>(last, big.data() + 568);
        EXPECT_FALSE((error = decodeFormFile(big, target))) << last;
        EXPECT_TRUE(error.message.contains("a form holds at most 51")) << last;
    }
    EXPECT_EQ(target.settings, before.settings);
    EXPECT_EQ(target.LastIndex, before.LastIndex);
    EXPECT_EQ(target.Elements, before.Elements);
}

TEST(FormFile, BytesAfterTheLastRecordAreIgnored)
{
    QByteArray b = encodeFormFile(threeElements());
    b.append("trailing garbage");
    FormFileData back;
    Result error;
    ASSERT_TRUE((error = decodeFormFile(b, back)));
    EXPECT_EQ(back.Elements, threeElements().Elements);
}

TEST(FormFile, FilesAreWrittenAndReadWithThePlatformWording)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("three.mff");
    Result error;
    ASSERT_TRUE((error = writeFormFile(path, threeElements())));
    EXPECT_EQ(QFile(path).size(), 7880);
    FormFileData back;
    ASSERT_TRUE((error = readFormFile(path, back)));
    EXPECT_EQ(back.ElementOptions, threeElements().ElementOptions);

    const QString missing = dir.filePath("none.mff");
    EXPECT_FALSE((error = readFormFile(missing, back)));
    EXPECT_EQ(error.message, "Cannot open file " + missing);
    const QString noFolder = dir.filePath("no/such.mff");
    EXPECT_FALSE((error = writeFormFile(noFolder, threeElements())));
    EXPECT_EQ(error.message, "Cannot create file " + noFolder);
    const QString tiny = writeBytes(dir, "tiny.mff", "abc");
    EXPECT_FALSE((error = readFormFile(tiny, back)));
    EXPECT_EQ(error.message, "Cannot read form file " + tiny
                         + ": the file is shorter than a form file's header");
}

TEST(FormFile, HtmlFromAFileIsTheGeneratedForm)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("form.mff");
    const FormFileData d = threeElements();
    Result error;
    ASSERT_TRUE((error = writeFormFile(path, d)));
    QString html;
    ASSERT_TRUE((error = formHtmlFromFile(path, html)));
    EXPECT_EQ(html, buildFormHtml(d.settings, d.Elements, d.ElementOptions, d.LastIndex));
    EXPECT_TRUE(html.startsWith("<FORM NAME=\"order\" METHOD=\"Get\""));
    EXPECT_FALSE((error = formHtmlFromFile(dir.filePath("none.mff"), html)));
}

TEST(FormFile, AFifoIsRefusedWithoutWaitingForAWriter)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("form.mff"));
    FifoFeeder feeder(fifo, QByteArray(7880, '\0'));
    ASSERT_TRUE(feeder.made());
    FormFileData back;
    Result error;
    EXPECT_FALSE((error = readFormFile(fifo, back)));
    EXPECT_EQ(error.message, QStringLiteral("Cannot open file ") + fifo);
}
