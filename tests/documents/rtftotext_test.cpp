#include "documents/rtftotext.h"

#include <gtest/gtest.h>

namespace {

QString u16(const char16_t *s)
{
    return QString::fromUtf16(s);
}

} // namespace

TEST(RtfToText, WordPadDocument)
{
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
        "{\\f1\\fswiss\\fcharset0 Arial;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 Caf\\'e9 au lait\\par\r\n"
        "\\cf1\\b Bold\\b0  and {\\i italic} text\\line second line\\par\r\n"
        "Price: \\u8364?5\\tab done\\par\r\n"
        "}\r\n";
    EXPECT_EQ(rtfToText(rtf),
              u16(u"Caf\u00E9 au lait\r\nBold and italic text\r\nsecond line\r\nPrice: \u20AC5\tdone\r\n"));
}

TEST(RtfToText, EscapedSymbols)
{
    EXPECT_EQ(rtfToText("{\\rtf1 a\\{b\\}c\\\\d\\~e\\-f\\_g}"), u16(u"a{b}c\\d\u00A0ef-g"));
    // A control word ends at its delimiting blank; only that one blank is eaten.
    EXPECT_EQ(rtfToText("{\\rtf1 \\b  two\\b0\tx}"), QStringLiteral(" two\tx"));
    // A line break after a backslash is a paragraph.
    EXPECT_EQ(rtfToText("{\\rtf1 a\\\nb}"), QStringLiteral("a\r\nb"));
}

TEST(RtfToText, UnicodeWithFallbacks)
{
    // \ucN sets how many fallback characters follow; negative N counts from 65536.
    EXPECT_EQ(rtfToText("{\\rtf1 \\uc2\\u1055\\'cf\\'e9x\\uc0\\u-3913 y}"), u16(u"\u041Fx\uF0B7y"));
    // The fallback count belongs to the group that set it.
    EXPECT_EQ(rtfToText("{\\rtf1 {\\uc3 \\u945 abc}\\u946 bd}"), u16(u"\u03B1\u03B2d"));
    // A surrogate pair written as two \u words.
    EXPECT_EQ(rtfToText("{\\rtf1 \\u-10179?\\u-8704?}"), u16(u"\U0001F600"));
    // A group end stops the skipping of fallbacks.
    EXPECT_EQ(rtfToText("{\\rtf1 {\\uc4\\u65 }BCDE}"), QStringLiteral("ABCDE"));
}

TEST(RtfToText, SkippedDestinations)
{
    const QByteArray rtf =
        "{\\rtf1{\\info{\\title Secret}{\\author Ann}}{\\stylesheet{\\s0 Normal;}}"
        "{\\header Page head\\par}{\\footerr foot}"
        "{\\*\\unknowndest hidden {\\nested more}}"
        "{\\pict\\wmetafile8\\picw100 0a0b0c0d}"
        "{\\object\\objemb{\\*\\objdata 0102}{\\result shown}}"
        "Body {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} end}";
    EXPECT_EQ(rtfToText(rtf), QStringLiteral("Body link end"));
}

TEST(RtfToText, BinaryDataIsJumpedOver)
{
    QByteArray rtf("{\\rtf1 a{\\pict\\bin4 ");
    rtf.append(QByteArray("}{\\\x00", 4));
    rtf.append("}b}");
    EXPECT_EQ(rtfToText(rtf), QStringLiteral("ab"));
}

TEST(RtfToText, TablesAndSections)
{
    const QByteArray rtf =
        "{\\rtf1\\trowd\\cellx1000\\cellx2000 \\intbl one\\cell two\\cell\\row"
        "\\intbl three\\cell four\\cell\\row\\sect last\\page end}";
    EXPECT_EQ(rtfToText(rtf), QStringLiteral("one\ttwo\r\nthree\tfour\r\n\r\nlast\r\nend"));
}

TEST(RtfToText, CodePageFromHeader)
{
    EXPECT_EQ(rtfToText("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}"), u16(u"\u041F\u0440\u0438"));
    // An unknown code page falls back to windows-1252.
    EXPECT_EQ(rtfToText("{\\rtf1\\ansicpg99999 \\'80\\'e9}"), u16(u"\u20AC\u00E9"));
    // Raw 8-bit bytes take the same way as \'hh.
    EXPECT_EQ(rtfToText("{\\rtf1 caf\xe9}"), u16(u"caf\u00E9"));
}

TEST(RtfToText, DamagedInputNeverFails)
{
    EXPECT_EQ(rtfToText("{\\rtf1 open {group never closed\\par more"), QStringLiteral("open group never closed\r\nmore"));
    EXPECT_EQ(rtfToText("{\\rtf1 extra}}} closers}"), QStringLiteral("extra closers"));
    EXPECT_EQ(rtfToText("{\\rtf1 cut\\"), QStringLiteral("cut"));
    EXPECT_EQ(rtfToText("{\\rtf1 hex\\'4"), QStringLiteral("hex4"));
    // An impossible \uN gives no character but still drops its fallback "n".
    EXPECT_EQ(rtfToText("{\\rtf1 big\\u99999999999999999999999 n\\uc99999999999 x}"), QStringLiteral("bigx"));
    EXPECT_EQ(rtfToText("{\\rtf1 z\\u0 ?\\'00a}"), QStringLiteral("za"));
    EXPECT_EQ(rtfToText("{\\rtf1 \\bin999999999 gone}"), QString());
    const QByteArray longWord = "{\\rtf1 \\" + QByteArray(100000, 'p') + "ar x}";
    EXPECT_EQ(rtfToText(longWord), QStringLiteral("x"));

    QByteArray deep("{\\rtf1 ");
    deep.append(QByteArray(200000, '{'));
    deep.append("deep");
    deep.append(QByteArray(200000, '}'));
    deep.append("tail}");
    EXPECT_EQ(rtfToText(deep), QStringLiteral("deeptail"));

    QByteArray deepSkip("{\\rtf1 {\\*\\x ");
    deepSkip.append(QByteArray(50000, '{'));
    deepSkip.append("hidden");
    deepSkip.append(QByteArray(50000, '}'));
    deepSkip.append("}shown}");
    EXPECT_EQ(rtfToText(deepSkip), QStringLiteral("shown"));
}

TEST(RtfToText, NonRtfBytesAreTakenAsText)
{
    EXPECT_EQ(rtfToText("just text\nhere"), QStringLiteral("just text\r\nhere"));
    EXPECT_EQ(rtfToText(""), QString());
}
