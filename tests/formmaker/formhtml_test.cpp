#include "formmaker/formhtml.h"
#include "formmaker_test_printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace formmaker;

namespace {

FormSettings postForm(const QString &name = QString())
{
    FormSettings s;
    s.FormName = name;
    s.Method = "Post";
    return s;
}

} // namespace

TEST(FormHtml, TheWorkedExampleLineForLine)
{
    FormSettings s = postForm("f");
    s.SubmitOn = true;
    s.SubmitValue = "Send";
    ElementList elements;
    OptionLists options;
    elements[0].PreText = "Name:";
    elements[0].ElementType = "text";
    elements[0].Size = 20;
    elements[0].Name = "n";
    EXPECT_EQ(buildFormHtml(s, elements, options, 0),
              "<FORM NAME=\"f\" METHOD=\"Post\" ACTION=\"\" onsubmit=\"\" >\r\n"
              "Name: <INPUT TYPE=\"text\" SIZE=\"20\" NAME=\"n\">\r\n"
              "<BR><BR> <INPUT TYPE=\"submit\" VALUE=\"Send\" >\r\n"
              "</FORM>");
}

TEST(FormHtml, AnEmptyListWithoutButtonsIsTheHeadAndTheClosingTag)
{
    ElementList elements;
    OptionLists options;
    EXPECT_EQ(buildFormHtml(postForm(), elements, options, -1),
              "<FORM NAME=\"\" METHOD=\"Post\" ACTION=\"\" onsubmit=\"\" >\r\n</FORM>");
}

TEST(FormHtml, HeadAndButtonsCopyTheSettingsUnescaped)
{
    FormSettings s;
    s.FormName = "a\"b";
    s.Method = "Get";
    s.Action = "/cgi-bin/x?y=1&z=2";
    s.OnSubmit = "return check()";
    s.SubmitOn = true;
    s.ResetOn = true;
    s.ResetValue = "Again";
    EXPECT_EQ(formHead(s), "<FORM NAME=\"a\"b\" METHOD=\"Get\" ACTION=\"/cgi-bin/x?y=1&z=2\" "
                           "onsubmit=\"return check()\" >\r\n");
    EXPECT_EQ(formTail(s), " <INPUT TYPE=\"submit\" >\r\n"
                           " <INPUT TYPE=\"reset\" VALUE=\"Again\" >\r\n"
                           "</FORM>");
}

TEST(FormHtml, InputWritesEveryAttributeInOrderWithoutABlankBeforeTheClose)
{
    TFormElement e;
    e.PreText = "Agree";
    e.ElementType = "checkbox";
    e.Size = 3;
    e.Max = 4;
    e.Checked = "Y";
    e.Name = "ok";
    e.Value = "1";
    e.OnEvent = "go()";
    e.PostText = "!";
    EXPECT_EQ(ElementHtml(e, {}),
              "Agree <INPUT TYPE=\"checkbox\" SIZE=\"3\" MAXLENGTH=\"4\" CHECKED NAME=\"ok\" "
              "VALUE=\"1\" onClick=\"go()\">!\r\n<BR><BR>");
}

TEST(FormHtml, CheckedNeedsAnUpperCaseYAndNumbersMustBePositive)
{
    TFormElement e;
    e.ElementType = "checkbox";
    e.Checked = "y";
    e.Size = 0;
    e.Max = -5;
    EXPECT_EQ(ElementHtml(e, {}), " <INPUT TYPE=\"checkbox\">\r\n<BR><BR>");
}

TEST(FormHtml, AnEmptyTypeWritesTheAttributesAsLooseText)
{
    TFormElement e;
    e.PreText = "pre";
    e.Size = 5;
    e.Max = 6;
    e.Checked = "Y";
    e.Name = "n";
    e.Value = "v";
    e.OnEvent = "h()";
    e.PostText = "post";
    EXPECT_EQ(ElementHtml(e, {}),
              "pre  SIZE=\"5\" MAXLENGTH=\"6\" CHECKED NAME=\"n\" VALUE=\"v\" onClick=\"h()\"post"
              "\r\n<BR><BR>");
}

TEST(FormHtml, ATypedCapitalSelectIsAnInput)
{
    TFormElement e;
    e.ElementType = "Select";
    e.Name = "s";
    TElementOptions o;
    o.RowCount = 2;
    o.OptionText[1] = "Red";
    EXPECT_EQ(ElementHtml(e, o), " <INPUT TYPE=\"Select\" NAME=\"s\">\r\n<BR><BR>");
}

TEST(FormHtml, TextAreaTakesThePostTextAsContent)
{
    TFormElement e;
    e.PreText = "Comments";
    e.ElementType = "textarea";
    e.Name = "c";
    e.Value = "v";
    e.Size = 40;
    e.Max = 5;
    e.Checked = "Y";
    e.OnEvent = "ignored()";
    e.PostText = "Type here";
    EXPECT_EQ(ElementHtml(e, {}),
              "Comments<BR>\r\n<TEXTAREA NAME=\"c\" VALUE=\"v\" COLS=\"40\" ROWS=\"5\" >Type here\r\n"
              "</TEXTAREA>\r\n<BR><BR>");
    TFormElement bare;
    bare.ElementType = "textarea";
    EXPECT_EQ(ElementHtml(bare, {}), "<BR>\r\n<TEXTAREA >\r\n</TEXTAREA>\r\n<BR><BR>");
}

TEST(FormHtml, SelectWritesOneOptionLinePerEntryBelowTheRowCount)
{
    TFormElement e;
    e.PreText = "Colour";
    e.ElementType = "select";
    e.Name = "col";
    e.Size = 2;
    e.Value = "ignored";
    e.Max = 9;
    e.OnEvent = "pick()";
    e.PostText = " end";
    TElementOptions o;
    o.RowCount = 3;
    o.OptionText[1] = "Red";
    o.OptionValue[1] = "r";
    o.OptionSelected[1] = "Y";
    o.OptionText[2] = "Blue";
    o.OptionSelected[2] = "N";
    o.OptionText[3] = "Beyond the row count";
    EXPECT_EQ(ElementHtml(e, o),
              "Colour<BR>\r\n<SELECT NAME=\"col\" SIZE=\"2\" onChange=\"pick()\" >\r\n"
              "<OPTION VALUE=\"r\" SELECTED>Red\r\n"
              "<OPTION>Blue\r\n"
              "</SELECT> end\r\n<BR><BR>");
}

TEST(FormHtml, SelectedIgnoresCaseAndFewRowsGiveNoOptions)
{
    TFormElement e;
    e.ElementType = "select";
    TElementOptions o;
    o.RowCount = 2;
    o.OptionText[1] = "a";
    o.OptionSelected[1] = "y";
    EXPECT_EQ(ElementHtml(e, o), "<BR>\r\n<SELECT >\r\n<OPTION SELECTED>a\r\n</SELECT>\r\n<BR><BR>");
    o.RowCount = 1;
    EXPECT_EQ(ElementHtml(e, o), "<BR>\r\n<SELECT >\r\n</SELECT>\r\n<BR><BR>");
    o.RowCount = -7;
    EXPECT_EQ(ElementHtml(e, o), "<BR>\r\n<SELECT >\r\n</SELECT>\r\n<BR><BR>");
}

TEST(FormHtml, AnOversizedRowCountStopsAtTheTenthEntry)
{
    TFormElement e;
    e.ElementType = "select";
    TElementOptions o;
    o.RowCount = 0x7fffffff;
    for (int k = 1; k <= 10; ++k)
        o.OptionText[k] = QString::number(k);
    const QString html = ElementHtml(e, o);
    EXPECT_EQ(html.count("<OPTION>"), 10);
    EXPECT_TRUE(html.contains("<OPTION>10\r\n</SELECT>"));
}

TEST(FormHtml, ElementsFollowEachOtherOnTheBreakLine)
{
    ElementList elements;
    OptionLists options;
    elements[0].ElementType = "hidden";
    elements[0].Name = "a";
    elements[1].PreText = "B";
    elements[1].ElementType = "button";
    elements[1].Value = "Go";
    EXPECT_EQ(buildFormHtml(postForm(), elements, options, 1),
              "<FORM NAME=\"\" METHOD=\"Post\" ACTION=\"\" onsubmit=\"\" >\r\n"
              " <INPUT TYPE=\"hidden\" NAME=\"a\">\r\n"
              "<BR><BR>B <INPUT TYPE=\"button\" VALUE=\"Go\">\r\n"
              "<BR><BR></FORM>");
}

TEST(FormHtml, PreviewPageWrapsTheTextInItsLines)
{
    EXPECT_EQ(formPreviewPage("<FORM>\r\nx</FORM>"),
              "<HTML>\r\n<HEAD>\r\n"
              "<META NAME=\"Generator\" CONTENT=\"Dravenic's Mivor v1.0\" >\r\n"
              "<TITLE></TITLE>\r\n</HEAD>\r\n<BODY>\r\n<BR><BR>\r\n"
              "<FORM>\r\nx</FORM>\r\n"
              "<BR><BR>\r\nRemember to close this window\r\n</BODY>\r\n</HTML>\r\n");
}

TEST(FormHtml, PreviewFileIsReplacedAndAnUnwritableOneIsReported)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(previewFileName());
    ASSERT_TRUE(writeFormPreview(path, "first, longer text"));
    ASSERT_TRUE(writeFormPreview(path, "x"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), formPreviewPage("x"));

    const QString bad = dir.filePath("missing/formtemp.htm");
    const Result written = writeFormPreview(bad, "x");
    EXPECT_FALSE(written);
    EXPECT_EQ(written.message, "Cannot create file " + bad);
}
