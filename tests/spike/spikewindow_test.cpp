#include "spike/spikewindow.h"

#include <QApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SpikeWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        spike = std::make_unique<TSpike>([this](const QString &text) { inserted << text; });
        spike->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(spike.get()));
    }

    // A click on a row as the user makes it, with Ctrl to add or remove one.
    void clickRow(int row, Qt::KeyboardModifiers mods = {})
    {
        QListWidget *list = spike->SpikeList;
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, r.center());
    }

    QStringList inserted;
    std::unique_ptr<TSpike> spike;
};

} // namespace

TEST_F(SpikeWindowTest, LayoutAndStartState)
{
    EXPECT_EQ(spike->windowTitle(), QStringLiteral("Spike"));
    EXPECT_EQ(spike->DeleteBtn->text(), QStringLiteral("Delete"));
    EXPECT_EQ(spike->InsertBtn->text(), QStringLiteral("Insert"));
    EXPECT_EQ(spike->CloseBtn->text(), QStringLiteral("Close"));
    EXPECT_FALSE(spike->DeleteBtn->isEnabled());
    EXPECT_FALSE(spike->InsertBtn->isEnabled());
    EXPECT_TRUE(spike->CloseBtn->isEnabled());
    EXPECT_FALSE(spike->isModal());
    // Delete left, Insert in the middle, Close right, all below the list.
    EXPECT_LT(spike->DeleteBtn->x(), spike->InsertBtn->x());
    EXPECT_LT(spike->InsertBtn->x(), spike->CloseBtn->x());
    EXPECT_GE(spike->InsertBtn->y(), spike->SpikeList->geometry().bottom());
}

TEST_F(SpikeWindowTest, LongClipScrollsInsteadOfBeingCutShort)
{
    spike->setClips({QStringLiteral("<HR>"), QStringLiteral("<A HREF=\"x\">") + QString(300, QLatin1Char('w'))});
    QApplication::processEvents();
    EXPECT_GT(spike->SpikeList->horizontalScrollBar()->maximum(), 0);
}

TEST_F(SpikeWindowTest, CopyAddsEachLineAtTheEndAndReportsIt)
{
    QSignalSpy changed(spike.get(), &TSpike::clipsChanged);
    spike->CopyToSpike(QStringLiteral("one\r\ntwo\nthree\r\n"));
    spike->CopyToSpike(QStringLiteral("one\r\n\r\nfour"));
    EXPECT_EQ(spike->clips(),
              (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"),
                           QStringLiteral("one"), QString(), QStringLiteral("four")}));
    EXPECT_EQ(changed.count(), 2);
    // An empty selection adds nothing and reports nothing.
    spike->CopyToSpike(QString());
    EXPECT_EQ(spike->clips().size(), 6);
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(SpikeWindowTest, ButtonsFollowTheSelection)
{
    spike->setClips({QStringLiteral("a"), QStringLiteral("b")});
    clickRow(1);
    EXPECT_TRUE(spike->DeleteBtn->isEnabled());
    EXPECT_TRUE(spike->InsertBtn->isEnabled());
    // Ctrl+click takes the last selected clip away again.
    clickRow(1, Qt::ControlModifier);
    EXPECT_TRUE(spike->SpikeList->selectedItems().isEmpty());
    EXPECT_FALSE(spike->DeleteBtn->isEnabled());
    EXPECT_FALSE(spike->InsertBtn->isEnabled());
    // Insert with nothing selected cannot blank the document's selection.
    spike->InsertBtnClick();
    EXPECT_TRUE(inserted.isEmpty());
}

TEST_F(SpikeWindowTest, InsertSendsSelectedClipsInListOrderAndStaysOpen)
{
    spike->setClips({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    clickRow(2);
    clickRow(0, Qt::ControlModifier);
    QTest::mouseClick(spike->InsertBtn, Qt::LeftButton);
    EXPECT_EQ(inserted, QStringList{QStringLiteral("a\r\nc\r\n")});
    EXPECT_TRUE(spike->isVisible());
    EXPECT_EQ(spike->clips().size(), 3);
}

TEST_F(SpikeWindowTest, DoubleClickOnAClipInserts)
{
    spike->setClips({QStringLiteral("a"), QStringLiteral("<HR>")});
    clickRow(1);
    const QRect r = spike->SpikeList->visualItemRect(spike->SpikeList->item(1));
    QTest::mouseDClick(spike->SpikeList->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(inserted, QStringList{QStringLiteral("<HR>\r\n")});
    EXPECT_TRUE(spike->isVisible());
}

TEST_F(SpikeWindowTest, DoubleClickBesideTheClipsDoesNothing)
{
    spike->setClips({QStringLiteral("a")});
    const QPoint below = spike->SpikeList->visualItemRect(spike->SpikeList->item(0)).bottomLeft()
                       + QPoint(5, 40);
    QTest::mouseClick(spike->SpikeList->viewport(), Qt::LeftButton, {}, below);
    QTest::mouseDClick(spike->SpikeList->viewport(), Qt::LeftButton, {}, below);
    EXPECT_TRUE(inserted.isEmpty());
    EXPECT_FALSE(spike->InsertBtn->isEnabled());
}

TEST_F(SpikeWindowTest, DeleteRemovesEverySelectedClip)
{
    spike->setClips({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a"),
                     QStringLiteral("c")});
    QSignalSpy changed(spike.get(), &TSpike::clipsChanged);
    clickRow(0);
    clickRow(3, Qt::ControlModifier);
    QTest::mouseClick(spike->DeleteBtn, Qt::LeftButton);
    EXPECT_EQ(spike->clips(), (QStringList{QStringLiteral("b"), QStringLiteral("a")}));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(spike->DeleteBtn->isEnabled());
    EXPECT_FALSE(spike->InsertBtn->isEnabled());
    EXPECT_TRUE(inserted.isEmpty());
}

TEST_F(SpikeWindowTest, CloseHidesAndReopeningStartsWithNothingSelected)
{
    spike->setClips({QStringLiteral("a")});
    clickRow(0);
    QTest::mouseClick(spike->CloseBtn, Qt::LeftButton);
    EXPECT_FALSE(spike->isVisible());
    EXPECT_EQ(spike->clips(), QStringList{QStringLiteral("a")});
    spike->show();
    EXPECT_TRUE(spike->SpikeList->selectedItems().isEmpty());
    EXPECT_FALSE(spike->InsertBtn->isEnabled());
    EXPECT_FALSE(spike->DeleteBtn->isEnabled());
}

TEST_F(SpikeWindowTest, PickModeFillsPickedTextAndLeavesTheDocumentAlone)
{
    spike->setClips({QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("b")});
    spike->SpikePickMode = true;
    spike->PickedText.clear();
    clickRow(2);
    clickRow(0, Qt::ControlModifier);
    QTest::mouseClick(spike->InsertBtn, Qt::LeftButton);
    EXPECT_EQ(spike->PickedText, QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(spike->result(), QDialog::Accepted);
    EXPECT_FALSE(spike->isVisible());
    EXPECT_TRUE(inserted.isEmpty());
}

TEST_F(SpikeWindowTest, PickModeClosedWithoutInsertIsNotAccepted)
{
    spike->setClips({QStringLiteral("a")});
    spike->SpikePickMode = true;
    spike->PickedText.clear();
    clickRow(0);
    QTest::mouseClick(spike->CloseBtn, Qt::LeftButton);
    EXPECT_EQ(spike->result(), QDialog::Rejected);
    EXPECT_TRUE(spike->PickedText.isEmpty());
    EXPECT_TRUE(inserted.isEmpty());
}

TEST(SpikeWindow, SetClipsDoesNotReportAChange)
{
    TSpike spike(nullptr);
    QSignalSpy changed(&spike, &TSpike::clipsChanged);
    spike.setClips({QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(spike.clips(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(changed.count(), 0);
    // Without a callback an Insert is simply dropped.
    spike.SpikeList->item(0)->setSelected(true);
    spike.InsertBtnClick();
    EXPECT_EQ(spike.clips().size(), 2);
}
