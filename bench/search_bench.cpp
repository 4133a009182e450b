// Find in Files over 50 documents of 1 MB and the keyword scan of one 10 MB
// document, each beside a shell tool doing comparable work on the same bytes
// (grep -c; tr | sort | uniq -c), timed in the same run.
#include "search/findinfiles.h"
#include "search/findtext.h"
#include "search/keywords.h"
#include "search/resultlines.h"

#include "platform/appfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <memory>
#include <cstdlib>
#include <sys/resource.h>
#include <string>
#include <vector>

namespace {

const char *const Vocabulary[] = {
    "the",     "garden",  "table",  "Orchid", "water",  "light",   "<P>",     "</P>",   "<TD>",
    "</TD>",   "grower",  "leaves", "flower", "potting", "bark",   "humidity", "<A HREF=\"care.htm\">",
    "</A>",    "and",     "roots",  "winter", "summer", "shade",  "feeding", "repotting", "species",
    "hybrid",  "Cattleya", "of",    "in",     "café",   "e-mail", "temperature", "<BR>", "spike",
};

// About `bytes` characters of page-like text in CR LF lines; one line in
// roughly two hundred holds the word "phalaenopsis".
QString makeDocument(quint32 seed, int bytes)
{
    QRandomGenerator rng(seed);
    QString text;
    text.reserve(bytes + 200);
    text += QStringLiteral("<HTML><HEAD><TITLE>Orchids</TITLE></HEAD>\r\n<BODY>\r\n");
    const int words = int(sizeof Vocabulary / sizeof *Vocabulary);
    while (text.size() < bytes) {
        const int lineWords = int(rng.bounded(4, 14));
        for (int i = 0; i < lineWords; ++i) {
            if (i)
                text += QLatin1Char(' ');
            text += QString::fromUtf8(Vocabulary[rng.bounded(words)]);
        }
        if (rng.bounded(200) == 0)
            text += QStringLiteral(" phalaenopsis");
        text += QStringLiteral("\r\n");
    }
    return text;
}

// A text area 80 characters wide that wraps every line at that width.
search::WrapOf wrapEvery80(const QString &text)
{
    auto firstScreen = std::make_shared<std::vector<int>>();
    auto lengths = std::make_shared<std::vector<int>>();
    int screen = 0;
    for (qsizetype start = 0;;) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
        const int length = int((lf < 0 ? text.size() : lf - 1) - start);
        firstScreen->push_back(screen);
        lengths->push_back(length);
        screen += std::max(1, (length + 79) / 80);
        if (lf < 0)
            break;
        start = lf + 1;
    }
    return [firstScreen, lengths](int line, search::WrappedLine &wrapped) {
        wrapped.firstDisplayLine = (*firstScreen)[size_t(line)];
        for (int s = 0; s == 0 || s < (*lengths)[size_t(line)]; s += 80)
            wrapped.starts.push_back(s);
    };
}

struct Data {
    QTemporaryDir dir;
    std::vector<QString> documents; // 50 x 1 MB
    std::vector<search::WrapOf> wraps; // each wrapped at 80 characters
    std::string documentPaths;      // the same, written as files, quoted for the shell
    QString big;                    // 10 MB
    std::string bigPath;
    QStringList ignore;
};

Data &data()
{
    static Data d;
    return d;
}

void writeFile(const QString &path, const QString &text)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text.toUtf8()) < 0)
        std::abort();
}

void prepare()
{
    Data &d = data();
    for (int i = 0; i < 50; ++i) {
        d.documents.push_back(makeDocument(quint32(i + 1), 1 << 20));
        d.wraps.push_back(wrapEvery80(d.documents.back()));
        const QString path = d.dir.filePath(QStringLiteral("doc%1.htm").arg(i));
        writeFile(path, d.documents.back());
        d.documentPaths += " '" + path.toStdString() + "'";
    }
    d.big = makeDocument(4242, 10 << 20);
    const QString bigPath = d.dir.filePath(QStringLiteral("big.htm"));
    writeFile(bigPath, d.big);
    d.bigPath = "'" + bigPath.toStdString() + "'";
    d.ignore = search::readIgnoreList(dataFolder() + QStringLiteral("ignore.lst")).value;
}

double childCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// The CPU time of the shell tools is spent in child processes, so it is
// reported as a counter of its own (milliseconds per run).
void runShell(benchmark::State &state, const std::string &command)
{
    const double before = childCpuMs();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError(("failed: " + command).c_str());
            break;
        }
    }
    state.counters["child_cpu_ms"] = (childCpuMs() - before) / double(std::max<qint64>(state.iterations(), 1));
}

// What the results window does for each document: its lines gathered, then
// added to the list's model.
void findInFiles(benchmark::State &state, const QString &what, bool matchCase, bool wrapped)
{
    qint64 lines = 0;
    for (auto _ : state) {
        search::ResultListModel list;
        for (size_t i = 0; i < data().documents.size(); ++i) {
            const QString &doc = data().documents[i];
            search::ResultLines hits(QStringLiteral("doc.htm"));
            if (wrapped)
                search::appendLinesInDocument(hits, what, matchCase, false, doc, data().wraps[i]);
            else
                search::appendLinesInDocument(hits, what, matchCase, false, doc);
            list.append(std::move(hits));
        }
        lines = list.rowCount();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = double(lines);
    state.SetBytesProcessed(state.iterations() * 50 * (qint64(1) << 20));
}

void linesOnly(benchmark::State &state, const QString &what)
{
    const search::PatternFinder finder(search::preparePattern(what, {false, false}), false);
    qint64 lines = 0;
    for (auto _ : state) {
        lines = 0;
        for (const QString &doc : data().documents)
            lines += qint64(finder.linesWithHits(doc).size());
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = double(lines);
}

void keywordScan(benchmark::State &state)
{
    for (auto _ : state) {
        search::KeywordScan scan(data().big, data().ignore);
        while (!scan.step(15)) {
        }
        benchmark::DoNotOptimize(scan.metaText());
    }
    state.SetBytesProcessed(state.iterations() * data().big.size());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // for the shipped data folder
    prepare();
    const Data &d = data();
    // Wall-clock time: the shell tools' work is done in child processes.
    auto reg = [](const char *name, auto fn) {
        return benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond)->UseRealTime();
    };

    reg("FindInFiles/50x1MB/rare/matchcase",
                      [](benchmark::State &s) { findInFiles(s, QStringLiteral("phalaenopsis"), true, false); });
    reg("grep -cF/50x1MB/rare",
                      [&](benchmark::State &s) { runShell(s, "LC_ALL=C grep -c -F phalaenopsis" + d.documentPaths + " >/dev/null"); });
    reg("FindInFiles/50x1MB/rare/anycase",
                      [](benchmark::State &s) { findInFiles(s, QStringLiteral("Phalaenopsis"), false, false); });
    reg("grep -ciF/50x1MB/rare", [&](benchmark::State &s) {
        runShell(s, "LC_ALL=C grep -c -i -F Phalaenopsis" + d.documentPaths + " >/dev/null");
    });
    reg("FindInFiles/50x1MB/common/anycase",
                      [](benchmark::State &s) { findInFiles(s, QStringLiteral("table"), false, false); });
    reg("grep -ciF/50x1MB/common", [&](benchmark::State &s) {
        runShell(s, "LC_ALL=C grep -c -i -F table" + d.documentPaths + " >/dev/null");
    });
    reg("FindInFiles/50x1MB/common/anycase/wrapped80",
                      [](benchmark::State &s) { findInFiles(s, QStringLiteral("table"), false, true); });
    reg("LinesWithHits/50x1MB/common", [](benchmark::State &s) { linesOnly(s, QStringLiteral("table")); });
    reg("KeywordScan/10MB", [](benchmark::State &s) { keywordScan(s); });
    reg("tr|sort|uniq -c/10MB", [&](benchmark::State &s) {
        runShell(s, "LC_ALL=C tr -cs 'A-Za-z' '\\n' <" + d.bigPath
                        + " | tr a-z A-Z | sort | uniq -c | sort -rn | head -20 >/dev/null");
    });

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
