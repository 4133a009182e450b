#include "search/keywordrun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace search;

namespace {

// Lets the run's timer ticks happen until it has finished (or 10 s passed).
bool waitFinished(QSignalSpy &finished)
{
    QElapsedTimer clock;
    clock.start();
    while (finished.isEmpty() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return finished.size() == 1;
}

QString manyWords(int n)
{
    QString text;
    for (int i = 0; i < n; ++i)
        text += QStringLiteral("alpha beta gamma delta%1 ").arg(QChar(u'a' + i % 26));
    return text;
}

} // namespace

TEST(KeywordRun, StartReturnsAtOnceAndTheScanEndsOnTheTicks)
{
    KeywordRun run(manyWords(20000), {QStringLiteral("gamma")});
    QSignalSpy finished(&run, &KeywordRun::finished);
    QSignalSpy progress(&run, &KeywordRun::progress);
    run.start();
    EXPECT_TRUE(run.isRunning());
    EXPECT_FALSE(run.scan().isDone());   // nothing scanned before the first tick

    ASSERT_TRUE(waitFinished(finished));
    EXPECT_FALSE(run.isRunning());
    EXPECT_TRUE(run.scan().isDone());
    for (const QList<QVariant> &p : progress) {
        EXPECT_GE(p.at(0).toInt(), 0);
        EXPECT_LE(p.at(0).toInt(), 100);
    }
    const QList<KeywordEntry> words = run.scan().keywords(3);
    ASSERT_EQ(words.size(), 3);
    EXPECT_EQ(words[0], (KeywordEntry{20000, QStringLiteral("ALPHA")}));
    EXPECT_EQ(words[1], (KeywordEntry{20000, QStringLiteral("BETA")}));
    EXPECT_EQ(words[2].Count, 20000 / 26 + 1);   // "deltaa", the first of the rest
}

TEST(KeywordRun, CancelEndsTheRunWithWhatWasCounted)
{
    KeywordRun run(manyWords(200000), {});
    QSignalSpy finished(&run, &KeywordRun::finished);
    run.start();
    run.cancel();   // heard at the first tick, before any slice
    ASSERT_TRUE(waitFinished(finished));
    EXPECT_FALSE(run.isRunning());
    EXPECT_EQ(run.scan().distinctWordCount(), 0);
    EXPECT_EQ(run.scan().metaText(), QStringLiteral("<META NAME=\"KEYWORDS\" DESCRIPTION=\"\"> "));
}
