// Print against a real print server: which queue the pages go to when the
// system has printers but no default, has a default, or has none at all.
#include "app/mainwindowtestbase.h"
#include "cups/printqueues.h"

#include <QPrinterInfo>

namespace {

class PrintQueueTest : public MainWindowTest {
protected:
    static inline PrintServer *server = nullptr;

    static void SetUpTestSuite() { server = new PrintServer; }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(server->running()) << server->error().toStdString();
        server->clear();
        MainWindowTest::SetUp();
        w->documentCommands().New1Click();
        memo().setText(QStringLiteral("a line to print"));
    }
};

} // namespace

TEST_F(PrintQueueTest, WithoutAnyQueueTheUserIsToldSo)
{
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().isEmpty());
    w->previewCommands().Print1Click();
    EXPECT_EQ(dlg.errors, QStringList{QStringLiteral("No printer is installed.")});
    EXPECT_TRUE(server->queuesWithJobs().isEmpty());
}

TEST_F(PrintQueueTest, QueuesWithoutADefaultPrintOnTheFirst)
{
    ASSERT_TRUE(server->addQueue(QStringLiteral("zeta"))) << server->error().toStdString();
    ASSERT_TRUE(server->addQueue(QStringLiteral("alpha"))) << server->error().toStdString();
    ASSERT_TRUE(QPrinterInfo::defaultPrinterName().isEmpty());
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    ASSERT_EQ(installed.size(), 2);
    w->previewCommands().Print1Click();
    EXPECT_TRUE(dlg.errors.isEmpty()) << dlg.errors.join(' ').toStdString();
    EXPECT_EQ(server->queuesWithJobs(), QStringList{installed.first()});
}

TEST_F(PrintQueueTest, TheDefaultQueueGetsThePages)
{
    ASSERT_TRUE(server->addQueue(QStringLiteral("alpha")));
    ASSERT_TRUE(server->addQueue(QStringLiteral("zeta")));
    ASSERT_TRUE(server->setDefault(QStringLiteral("zeta"))) << server->error().toStdString();
    ASSERT_EQ(QPrinterInfo::defaultPrinterName(), QStringLiteral("zeta"));
    w->previewCommands().Print1Click();
    w->previewCommands().Print1Click();
    EXPECT_TRUE(dlg.errors.isEmpty()) << dlg.errors.join(' ').toStdString();
    EXPECT_EQ(server->queuesWithJobs(), (QStringList{QStringLiteral("zeta"), QStringLiteral("zeta")}));
}
