// The writing aids on the 20 MB page of the editor benchmark (407,461 CR LF
// lines, wrap on, in a 683x440 document window): a key typed at its end with
// every aid off and with all four on (end tags, matching tags, completion,
// spelling), the keys that set the aids to work ("<b>" typed, a list shown
// and taken), and the background spelling pass over the whole page.
// Prints figures; the targets are in the printed lines.
#include "app/mainwindow.h"
#include "documents/filecommands.h"
#include "documents/memo.h"
#include "benchsupport.h"
#include "documents/subform.h"
#include "htmlaid/htmlaids.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

struct KeyTimes {
    double median = 0, max = 0, cpu = 0;
};

// Keys typed at the end, each timed with the events and paint that follow.
KeyTimes typeAtEnd(TMemo *memo, const QStringList &keys)
{
    std::vector<qint64> times;
    QElapsedTimer t;
    memo->setFocus();
    memo->setSelStart(memo->textLength());
    settle(memo);
    timespec cpu0, cpu1;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu0);
    for (const QString &k : keys) {
        t.start();
        if (k == QLatin1String("\n"))
            QTest::keyClick(memo, Qt::Key_Return);
        else
            QTest::keyClicks(memo, k);
        settle(memo);
        times.push_back(t.nsecsElapsed());
    }
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu1);
    std::sort(times.begin(), times.end());
    const double cpuMs = (cpu1.tv_sec - cpu0.tv_sec) * 1e3 + (cpu1.tv_nsec - cpu0.tv_nsec) / 1e6;
    return {ms(times[times.size() / 2]), ms(times.back()), cpuMs / double(keys.size())};
}

QStringList letters(int count)
{
    QStringList keys;
    for (int i = 0; i < count; ++i)
        keys << QString(QChar(u'a' + i % 26));
    return keys;
}

TSubForm *showPage(TMainForm &w, const QString &path)
{
    w.documentCommands().New1Click();
    TSubForm *doc = w.currentDocument();
    doc->resize(683, 440);
    doc->Memo1->setWrap(true);
    doc->setCaption(path);
    filecommands::load(*doc, path, dialogs(), &w);
    settle(doc->Memo1);
    return doc;
}

void close(TSubForm *doc)
{
    doc->discard();
    doc->close();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    QApplication app(argc, argv);
    const QString big = dir.path() + QStringLiteral("/big.htm");
    {
        QFile f(big);
        f.open(QIODevice::WriteOnly);
        f.write(makeBigPage());
    }
    TMainForm w;
    w.resize(1280, 1000);
    w.show();
    QCoreApplication::processEvents();
    htmlaid::AidsHub *hub = w.writingAids();

    // --- Every aid off: the text area alone.
    htmlaid::AidOptions off;
    off.autoClose = off.matchTags = off.completion = off.spelling = false;
    hub->setOptions(off);
    TSubForm *doc = showPage(w, big);
    const KeyTimes before = typeAtEnd(doc->Memo1, letters(200));
    std::printf("key at end, 20 MB, aids off: %7.3f ms median, %7.3f ms max, %.3f ms processor a key\n",
                before.median, before.max, before.cpu);
    close(doc);

    // --- All four on.
    hub->setOptions(htmlaid::AidOptions{});
    QElapsedTimer t;
    t.start();
    doc = showPage(w, big);
    std::printf("shown with the aids on:      %7.1f ms\n", ms(t.nsecsElapsed()));
    htmlaid::HtmlAids *aids = htmlaid::HtmlAids::of(doc->Memo1);
    // Keys typed while the background pass has not yet read the page.
    const KeyTimes early = typeAtEnd(doc->Memo1, letters(200));
    std::printf("key at end, 20 MB, aids on:  %7.3f ms median, %7.3f ms max, %.3f ms processor a key"
                "  (target <= 2 median)\n",
                early.median, early.max, early.cpu);
    t.restart();
    timespec cpu0, cpu1;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu0);
    aids->finishSpelling();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu1);
    std::printf("background spelling pass:    %7.0f ms for the whole page (%.0f ms processor), in slices of"
                " at most 3 ms\n",
                ms(t.nsecsElapsed()),
                (cpu1.tv_sec - cpu0.tv_sec) * 1e3 + (cpu1.tv_nsec - cpu0.tv_nsec) / 1e6);
    const KeyTimes after = typeAtEnd(doc->Memo1, letters(200));
    std::printf("key at end, pass done:       %7.3f ms median, %7.3f ms max, %.3f ms processor a key"
                "  (target <= 2 median)\n",
                after.median, after.max, after.cpu);
    // Keys that set the aids to work: "<b>" (the list of elements, narrowed,
    // then the end tag), a word and a space (spelling), "</" (the open
    // elements), Escape.
    QStringList busy;
    for (int i = 0; i < 20; ++i)
        busy << QStringLiteral("\n") << QStringLiteral("<") << QStringLiteral("b") << QStringLiteral(">")
             << QStringLiteral("w") << QStringLiteral("r") << QStringLiteral("o") << QStringLiteral("n")
             << QStringLiteral("g") << QStringLiteral(" ");
    const KeyTimes aidKeys = typeAtEnd(doc->Memo1, busy);
    std::printf("keys that set aids to work:  %7.3f ms median, %7.3f ms max, %.3f ms processor a key\n",
                aidKeys.median, aidKeys.max, aidKeys.cpu);
    close(doc);
    return 0;
}
