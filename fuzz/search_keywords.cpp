// Feeds arbitrary bytes to the ignore list reader and the keyword scan. The
// first byte says where the input is split: the part before is written as
// ignore.lst and read back as the program reads it, the rest is the
// document. The META line must hold at most twenty words of four to thirty
// upper-case letters, none on the ignore list, most frequent first.
#include "fuzzsupport.h"
#include "search/keywords.h"

#include <QSet>
#include <cstdint>
#include <cstdlib>

using namespace search;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t split = 1 + size_t(data[0]) * (size - 1) / 255;
    static const QString path = fuzzsupport::scratchFolder() + QLatin1String(IgnoreListFileName);
    fuzzsupport::writeFile(path, QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(split - 1)));
    const IgnoreListFile list = readIgnoreList(path);
    if (!list.ok)
        abort();
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + split), qsizetype(size - split));

    KeywordScan scan(text, list.value);
    while (!scan.step(1000)) {
    }
    // Only the ASCII letters fold, as in the program's own comparison.
    QSet<QString> ignored;
    for (QString w : list.value) {
        for (QChar &c : w)
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - 32);
        ignored.insert(w);
    }
    const QList<KeywordEntry> words = scan.keywords();
    if (words.size() > MaxKeywords)
        abort();
    for (qsizetype i = 0; i < words.size(); ++i) {
        const KeywordEntry &e = words.at(i);
        if (e.Count < 1 || e.Word.size() < MinKeywordLength || e.Word.size() > MaxKeywordLength)
            abort();
        for (QChar c : e.Word)
            if (c < u'A' || c > u'Z')
                abort();
        if (e.Word.size() < MaxKeywordLength && ignored.contains(e.Word))
            abort();
        if (i > 0 && (words.at(i - 1).Count < e.Count
                      || (words.at(i - 1).Count == e.Count && words.at(i - 1).Word > e.Word)))
            abort();
    }
    const MetaInsertion at = findMetaInsertion(text, scan.metaText());
    if (at.found && (at.offset < 0 || at.offset > text.size()))
        abort();
    return 0;
}
