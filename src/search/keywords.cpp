#include "search/keywords.h"

#include "platform/fileio.h"
#include "platform/smallfile.h"
#include "search/findtext.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <vector>

namespace search {

namespace {

constexpr qsizetype SliceLength = 1 << 16; // characters between looks at the clock

bool isAsciiLetter(char16_t c)
{
    return char16_t((c | 0x20) - u'a') < 26;
}

// Orders by count, highest first, then alphabetically: the order that a
// stable sort by count gives to an alphabetically sorted list.
bool ranksBefore(const std::pair<const std::string *, qint32> &a,
                 const std::pair<const std::string *, qint32> &b)
{
    if (a.second != b.second)
        return a.second > b.second;
    return *a.first < *b.first;
}

} // namespace

IgnoreListFile readIgnoreList(const QString &path)
{
    const fileio::FileRead read = readSmallFile(path);
    if (!read)
        return IgnoreListFile::failure(read.tooLarge ? read.message
                                                     : QString::fromLatin1(IgnoreListMissingMessage));
    const QByteArray &bytes = read.value;
    QStringList words;
    // Every byte maps to one character, so the ASCII words read the same
    // whatever encoding the user saved the list in.
    const QString content = QString::fromLatin1(bytes);
    qsizetype start = 0;
    const qsizetype n = content.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && content[end] != u'\r' && content[end] != u'\n')
            ++end;
        words.append(content.mid(start, end - start));
        if (end < n && content[end] == u'\r' && end + 1 < n && content[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return IgnoreListFile::success(words);
}

QString ignoreListPath(const QString &settingsFolder)
{
    return settingsFolder + QLatin1String(IgnoreListFileName);
}

bool installDefaultIgnoreList(const QString &settingsFolder, const QString &dataFolder)
{
    const QString target = ignoreListPath(settingsFolder);
    if (QFileInfo::exists(target))
        return true;
    const QString source = dataFolder + QLatin1String(IgnoreListFileName);
    const fileio::FileRead read = readSmallFile(source);
    if (!read)
        return false;
    const QByteArray &words = read.value;
    // Written as the settings files are: a link planted at the name is
    // replaced, not written through; the copy is the user's alone to edit
    // (the shipped one may be read-only).
    fileio::WriteOptions options;
    options.sideFile = true;
    options.ownerOnly = true;
    return fileio::writeFile(target, words, options).ok;
}

KeywordScan::KeywordScan(const QString &text, const QStringList &ignoreList) : text_(text)
{
    for (const QString &line : ignoreList) {
        // Only a line made of ASCII letters can equal a word.
        if (line.size() < MinKeywordLength)
            continue;
        std::string key;
        key.reserve(line.size());
        bool letters = true;
        for (QChar ch : line) {
            if (!isAsciiLetter(ch.unicode())) {
                letters = false;
                break;
            }
            key.push_back(char(ch.unicode() & ~0x20));
        }
        if (letters)
            ignore_.insert(std::move(key));
    }
    done_ = text_.isEmpty();
}

void KeywordScan::endWord()
{
    if (word_.size() >= size_t(MinKeywordLength)) {
        auto it = counts_.find(word_);
        if (it != counts_.end()) {
            if (it->second >= 0)
                ++it->second;
        } else {
            counts_.emplace(word_, ignore_.count(word_) ? -1 : 1);
        }
    }
    word_.clear();
}

bool KeywordScan::step(int budgetMs)
{
    if (done_)
        return true;
    QElapsedTimer clock;
    clock.start();
    const QChar *data = text_.constData();
    const qsizetype size = text_.size();
    do {
        const qsizetype sliceEnd = std::min(size, pos_ + SliceLength);
        for (qsizetype i = pos_; i < sliceEnd; ++i) {
            const char16_t c = data[i].unicode();
            if (isAsciiLetter(c))
                word_.push_back(char(c & ~0x20));
            else if (!word_.empty())
                endWord();
        }
        pos_ = sliceEnd;
    } while (pos_ < size && clock.elapsed() < budgetMs);
    if (pos_ >= size) {
        endWord(); // a word that ends the text counts too
        done_ = true;
    }
    return done_;
}

void KeywordScan::cancel()
{
    word_.clear();
    done_ = true;
}

int KeywordScan::progressPercent() const
{
    if (text_.isEmpty())
        return 100;
    return int(pos_ * 100 / text_.size());
}

int KeywordScan::distinctWordCount() const
{
    return int(std::count_if(counts_.begin(), counts_.end(),
                             [](const auto &entry) { return entry.second > 0; }));
}

QList<KeywordEntry> KeywordScan::keywords(int limit) const
{
    std::vector<std::pair<const std::string *, qint32>> ranked;
    ranked.reserve(counts_.size());
    for (const auto &[word, count] : counts_) {
        if (count > 0)
            ranked.emplace_back(&word, count);
    }
    const size_t keep = std::min(ranked.size(), size_t(std::max(limit, 0)));
    std::partial_sort(ranked.begin(), ranked.begin() + keep, ranked.end(), ranksBefore);
    QList<KeywordEntry> entries;
    entries.reserve(keep);
    for (size_t i = 0; i < keep; ++i) {
        const std::string &word = *ranked[i].first;
        entries.append({ranked[i].second,
                        QString::fromLatin1(word.data(),
                                            qsizetype(std::min(word.size(), size_t(MaxKeywordLength))))});
    }
    return entries;
}

QString KeywordScan::metaText() const
{
    QString meta = QStringLiteral("<META NAME=\"KEYWORDS\" DESCRIPTION=\"");
    const QList<KeywordEntry> entries = keywords(MaxKeywords);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (i > 0)
            meta += QStringLiteral(", ");
        meta += entries[i].Word;
    }
    meta += QStringLiteral("\"> ");
    return meta;
}

MetaInsertion findMetaInsertion(const QString &text, const QString &metaText)
{
    MetaInsertion insertion;
    const qsizetype head = foldAsciiUpper(text).indexOf(QStringLiteral("<HEAD>"));
    if (head < 0)
        return insertion;
    insertion.found = true;
    const qsizetype lf = text.indexOf(QLatin1Char('\n'), head);
    if (lf >= 0) {
        insertion.offset = int(lf + 1);
        insertion.text = metaText + QStringLiteral("\r\n");
    } else {
        // The <HEAD> line is the last one: give the META text a line of its own.
        insertion.offset = int(text.size());
        insertion.text = QStringLiteral("\r\n") + metaText;
    }
    return insertion;
}

} // namespace search
