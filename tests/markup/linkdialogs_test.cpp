#include "markup/anchordialog.h"
#include "widgets/colourswatch.h"
#include "markup/emaildialog.h"
#include "markup/fontdialog.h"
#include "markup/framedialogs.h"
#include "markup/marqueedialog.h"
#include "markup/newpagedialog.h"
#include "widgets/radiogroup.h"
#include "widgets/spinfield.h"
#include "support/scripteddialogs.h"
#include "support/widgethelpers.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCompleter>
#include <QTest>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(AnchorDialog, ChecksShowMessagesAndKeepTheWindowOpen)
{
    ScriptedDialogs dlg;
    TAnchorBox d;
    d.setSelectionText(QStringLiteral("click here"));
    d.show();
    EXPECT_EQ(d.windowTitle(), "Anchor");
    EXPECT_EQ(d.Edit4->text(), "click here");
    d.Edit4->clear();
    d.SpeedButton2->click();
    d.Edit1->setText(QStringLiteral("a.htm"));
    d.SpeedButton2->click();
    EXPECT_EQ(dlg.messages, QStringList({"you must enter a URL or a Name",
                                         "You must enter a description or a Name"}));
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(d.FragmentText.isEmpty());
    EXPECT_EQ(d.Edit1->text(), "a.htm");   // entries stay
}

TEST(AnchorDialog, BuildsAndResetsEverythingOnOpening)
{
    ScriptedDialogs dlg;
    TAnchorBox d;
    d.setSelectionText(QStringLiteral("Home"));
    d.show();
    EXPECT_TRUE(d.ComboBox1->currentText().isEmpty());
    d.Edit1->setText(QStringLiteral("index.htm"));
    d.Edit3->setText(QStringLiteral("top"));
    d.ComboBox1->setCurrentIndex(4);
    d.SpeedButton2->click();
    EXPECT_EQ(d.FragmentText, "<A HREF=\"index.htm\" NAME=\"top\" TARGET=\"_blank\">Home</A>\r\n");
    EXPECT_FALSE(d.isVisible());

    d.setSelectionText(QString());
    d.show();
    EXPECT_TRUE(d.FragmentText.isEmpty());
    EXPECT_TRUE(d.Edit1->text().isEmpty());
    EXPECT_TRUE(d.Edit3->text().isEmpty());
    EXPECT_TRUE(d.ComboBox1->currentText().isEmpty());
    d.Edit3->setText(QStringLiteral("sec"));
    d.ComboBox1->setCurrentIndex(0);   // "[none]"
    d.SpeedButton2->click();
    EXPECT_EQ(d.FragmentText, "<A NAME=\"sec\"></A>\r\n");
    EXPECT_TRUE(dlg.messages.isEmpty());
}

TEST(AnchorDialog, ApplyWorksAtTheFirstClickWhileTheTargetListIsOpen)
{
    ScriptedDialogs dlg;
    TAnchorBox d;
    d.setSelectionText(QStringLiteral("Home"));
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    d.Edit1->setText(QStringLiteral("index.htm"));
    d.ComboBox1->setFocus();
    QTest::keyClicks(d.ComboBox1->lineEdit(), QStringLiteral("_b"));
    QAbstractItemView *list = d.ComboBox1->completer()->popup();
    ASSERT_TRUE(list->isVisible());

    // The click arrives as the window system delivers it: to the open list first.
    const QPoint apply = d.SpeedButton2->mapTo(&d, d.SpeedButton2->rect().center());
    QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, apply);
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.FragmentText, "<A HREF=\"index.htm\" TARGET=\"_b\">Home</A>\r\n");
}

TEST(EmailDialog, KeepsAddressAndSubjectTakesSelection)
{
    TemailBox d;
    d.setSelectionText(QStringLiteral("write"));
    d.show();
    EXPECT_EQ(d.windowTitle(), "Insert email");
    d.Edit1->setText(QStringLiteral("me@x.org"));
    d.SpeedButton2->click();
    EXPECT_EQ(d.FragmentText, "<A HREF=\"mailto:me@x.org?subject=\">write</A>");
    d.setSelectionText(QStringLiteral("again"));
    d.show();
    EXPECT_TRUE(d.FragmentText.isEmpty());
    EXPECT_EQ(d.Edit1->text(), "me@x.org");
    EXPECT_EQ(d.Edit3->text(), "again");
    d.Edit2->setText(QStringLiteral("Hi"));
    d.SpeedButton1->click();
    EXPECT_TRUE(d.FragmentText.isEmpty());
}

TEST(MarqueeDialog, DefaultsOnEveryOpening)
{
    THtmlFont font;
    Tmarqueebox d(&font);
    d.setSelectionText(QStringLiteral("Hello"));
    d.show();
    EXPECT_EQ(d.windowTitle(), "Marquee");
    EXPECT_TRUE(d.Shape1->isEnabled());   // enabled before the tick is ever touched
    d.SpeedButton1->click();
    EXPECT_EQ(d.FragmentText,
              "<MARQUEE BEHAVIOR=\"scroll\" HEIGHT=\"10%\" WIDTH=\"100%\" DIRECTION=\"left\" "
              "LOOPS=\"infinite\" SCROLLAMOUNT=\"10\" SCROLLDELAY=\"10\">\r\nHello\r\n</MARQUEE>");

    d.show();
    d.loopspin->setFieldValue(3);
    d.Direction->setItemIndex(3);
    d.Behaviour->setItemIndex(0);
    d.high->setItemIndex(1);
    d.highspin->setFieldValue(40);
    d.Marqtitle->setText(QStringLiteral("tip"));
    d.SpeedButton1->click();
    EXPECT_EQ(d.FragmentText,
              "<MARQUEE BEHAVIOR=\"slide\" HEIGHT=\"40\" WIDTH=\"100%\" DIRECTION=\"down\" "
              "LOOPS=\"3\" SCROLLAMOUNT=\"10\" SCROLLDELAY=\"10\" TITLE=\"tip\">\r\nHello\r\n</MARQUEE>");

    // Every control but the background goes back to its default.
    d.show();
    EXPECT_EQ(d.loopspin->fieldValue(), 0);
    EXPECT_EQ(d.Direction->itemIndex(), -1);
    EXPECT_EQ(d.high->itemIndex(), 0);
    EXPECT_EQ(d.highspin->fieldValue(), 10);
    EXPECT_TRUE(d.Marqtitle->text().isEmpty());
}

TEST(MarqueeDialog, BackgroundKeptAndNegativeLoopsAreInfinite)
{
    ScriptedDialogs dlg;
    THtmlFont font;
    Tmarqueebox d(&font);
    d.show();
    d.BGCheck->setChecked(true);
    dlg.queueColor(QColor(0, 0, 0));
    pressMouse(d.Shape1);
    d.loopspin->setFieldValue(-1);
    d.SpeedButton1->click();
    EXPECT_TRUE(d.FragmentText.contains(" BGCOLOR=\"#000000\" HEIGHT="));
    EXPECT_TRUE(d.FragmentText.contains(" LOOPS=\"infinite\""));
    d.show();
    EXPECT_TRUE(d.BGCheck->isChecked());
    EXPECT_EQ(d.Shape1->fill(), 0u);
    d.BGCheck->setChecked(false);
    EXPECT_FALSE(d.Shape1->isEnabled());
}

TEST(MarqueeDialog, FontWrapsTheMarqueeAndIsForgottenAfterCancel)
{
    THtmlFont font;
    Tmarqueebox d(&font);
    d.setSelectionText(QStringLiteral("T"));
    d.show();
    font.show();
    font.CheckBox2->setChecked(true);
    font.Fontsize->setFieldValue(5);
    font.ApplyBtn->click();
    d.FontDialogClosed(font.result());
    EXPECT_EQ(d.FontTag, "<FONT SIZE=\"5\">");
    // A font dialog cancelled afterwards leaves the chosen tag.
    font.show();
    font.CancelBtn->click();
    d.FontDialogClosed(font.result());
    EXPECT_EQ(d.FontTag, "<FONT SIZE=\"5\">");
    d.SpeedButton1->click();
    EXPECT_TRUE(d.FragmentText.startsWith("<FONT SIZE=\"5\">\r\n<MARQUEE "));
    EXPECT_TRUE(d.FragmentText.endsWith("\r\nT\r\n</MARQUEE>\r\n</FONT>\r\n"));

    d.show();
    font.show();
    font.ApplyBtn->click();
    d.FontDialogClosed(font.result());
    d.SpeedButton2->click();
    EXPECT_TRUE(d.FragmentText.isEmpty());
    d.show();
    EXPECT_TRUE(d.FontTag.isEmpty());

    // Closing the font dialog without Cancel (Escape) keeps its earlier tag
    // in FragmentText, but a dialog that was not accepted gives no font.
    font.show();
    font.reject();
    EXPECT_FALSE(font.FragmentText.isEmpty());
    d.FontDialogClosed(font.result());
    EXPECT_TRUE(d.FontTag.isEmpty());
}

TEST(FramesetDialog, KeepsRowsAndColumns)
{
    TFrameset d;
    d.show();
    EXPECT_EQ(d.windowTitle(), "Frameset");
    d.Edit2->setText(QStringLiteral("50%,50%"));
    d.SpeedButton2->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.FragmentText, "<FRAMESET ROWS=\"\" COLS=\"50%,50%\"></FRAMESET>");
    d.show();
    EXPECT_EQ(d.Edit2->text(), "50%,50%");
    d.SpeedButton1->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_TRUE(d.FragmentText.isEmpty());
}

TEST(FrameDialog, EveryOpeningResetsTheControls)
{
    TFramez d;
    d.show();
    EXPECT_EQ(d.windowTitle(), "Frames");
    d.SpeedButton2->click();
    EXPECT_EQ(d.FragmentText, "<FRAME NAME=\"\" SRC=\"\" FRAMEBORDER=\"\" MARGINWIDTH=\"\" "
                              "MARGINHEIGHT=\"\" SCROLLING=\"AUTO\" ></FRAME>");

    d.show();
    d.Edit1->setText(QStringLiteral("main"));
    d.CheckBox1->setChecked(true);
    d.RG1->setItemIndex(2);
    typeInto(d.marg1, QStringLiteral("10"));
    d.bord->stepBy(5);   // the arrows stop at 1
    d.SpeedButton2->click();
    EXPECT_EQ(d.FragmentText, "<FRAME NAME=\"main\" SRC=\"\" FRAMEBORDER=\"1\" MARGINWIDTH=\"10\" "
                              "MARGINHEIGHT=\"\" NORESIZE SCROLLING=\"NO\" ></FRAME>");

    d.show();
    EXPECT_TRUE(d.Edit1->text().isEmpty());
    EXPECT_FALSE(d.CheckBox1->isChecked());
    EXPECT_EQ(d.RG1->itemIndex(), 0);
    EXPECT_EQ(d.marg1->fieldValue(), 0);
    EXPECT_EQ(d.bord->fieldValue(), 0);
}

TEST(NewPageDialog, BuildsThePageAndKeepsEverything)
{
    ScriptedDialogs dlg;
    TNewHtml d;
    d.show();
    EXPECT_EQ(d.windowTitle(), "New HTML Doc");
    EXPECT_FALSE(d.Shape1->isEnabled());
    d.Edit1->setText(QStringLiteral("Home"));
    d.bgset->setChecked(true);
    dlg.queueColor(QColor(255, 0, 0));
    pressMouse(d.Shape1);
    d.fixedBG->setChecked(true);
    d.textsel->setChecked(true);   // never chosen: white
    d.ApplyBtn->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(d.PageText.contains("\r\n<TITLE>Home</TITLE>\r\n</HEAD>\r\n"
                                    "<BODY BGCOLOR=\"#FF0000\" TEXT=\"#FFFFFF\" BGPROPERTIES=\"fixed\" >\r\n"));

    // A second use shows the first one's entries; a cleared tick is not written.
    d.show();
    EXPECT_EQ(d.Edit1->text(), "Home");
    EXPECT_TRUE(d.fixedBG->isChecked());
    d.bgset->setChecked(false);
    d.ApplyBtn->click();
    EXPECT_TRUE(d.PageText.contains("<BODY TEXT=\"#FFFFFF\" BGPROPERTIES=\"fixed\" >"));
    d.show();
    d.bgset->setChecked(true);
    d.ApplyBtn->click();
    EXPECT_TRUE(d.PageText.contains("<BODY BGCOLOR=\"#FF0000\" TEXT="));
    d.show();
    d.CancelBtn->click();
    EXPECT_TRUE(d.PageText.isEmpty());
    EXPECT_EQ(d.result(), QDialog::Rejected);
}

TEST(NewPageDialog, BackgroundPictureFromThePictureChooser)
{
    TNewHtml d;
    d.DocumentFolder = QStringLiteral("/site/");
    QString askedFolder;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    std::optional<TNewHtml::Background> answer = TNewHtml::Background{QStringLiteral("bg.gif"), picture};
    d.choosePicture = [&](const QString &folder) {
        askedFolder = folder;
        return answer;
    };
    d.show();
    d.BGIBtn->click();
    EXPECT_EQ(askedFolder, "/site/");
    EXPECT_EQ(d.piclabel->text(), "bg.gif");
    EXPECT_EQ(d.piclabel->toolTip(), "bg.gif");
    EXPECT_FALSE(d.Image1->pixmap().isNull());

    // A picture the preview cannot show still becomes the address.
    answer = TNewHtml::Background{QStringLiteral("bg.png"), QImage()};
    d.BGIBtn->click();
    EXPECT_EQ(d.piclabel->text(), "bg.png");
    EXPECT_FALSE(d.Image1->pixmap().isNull());
    answer.reset();   // cancelled: nothing changes
    d.BGIBtn->click();
    EXPECT_EQ(d.piclabel->text(), "bg.png");
    d.ApplyBtn->click();
    EXPECT_TRUE(d.PageText.contains("<BODY BACKGROUND=\"bg.png\" >\r\n"));
}
