#pragma once
// The keyword META generator: counting the words of a document, the META
// line of the most frequent ones, where it goes in the text, and the ignore
// list file.
#include "platform/result.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace search {

inline constexpr char NoHeadMessage[] = "No <HEAD> found in html file";
inline constexpr char IgnoreListMissingMessage[] = "Unable to open 'ignore.lst'";
inline constexpr char IgnoreListFileName[] = "ignore.lst";
inline constexpr int MaxKeywords = 20;     // keywords written into the META line
inline constexpr int MaxKeywordLength = 30; // letters kept of a longer word
inline constexpr int MinKeywordLength = 4;  // shorter words are never counted

struct KeywordEntry {
    qint32 Count = 0;
    QString Word; // upper-case, at most MaxKeywordLength letters
    bool operator==(const KeywordEntry &) const = default;
};

// Reads an ignore list: one word per line as written (no trimming), CR LF,
// LF or CR line breaks. Fails with IgnoreListMissingMessage when the file
// can't be read, tooLargeMessage when it is over MaxSmallFileBytes.
using IgnoreListFile = ResultOf<QStringList>;
IgnoreListFile readIgnoreList(const QString &path);

// The ignore list of this user: ignore.lst in the given settings folder
// (ending in "/"). The caller names the folders, so the keyword code knows
// nothing of where the program keeps its files.
QString ignoreListPath(const QString &settingsFolder);

// Puts the default ignore list shipped in dataFolder into the settings folder
// when the user has none yet. Returns true when a list is there afterwards.
bool installDefaultIgnoreList(const QString &settingsFolder, const QString &dataFolder);

// Counts the words of one document, a slice at a time, so the window can
// keep its interface alive and show progress between slices:
//     KeywordScan scan(text, ignore);
//     while (!scan.step(15)) { show scan.progressPercent(); process events; }
//     insert scan.metaText() ...
// A word is a run of the ASCII letters A-Z and a-z; every other character
// separates words. Words of fewer than four letters and words equal to a line
// of the ignore list (compared without case) are not counted. Every distinct
// word is counted, however many there are.
class KeywordScan {
public:
    KeywordScan(const QString &text, const QStringList &ignoreList);

    // Scans for about budgetMs milliseconds (at least one slice); returns
    // true when the scan has ended, by reaching the end or by cancel().
    bool step(int budgetMs);
    // Ends the scan where it stands; the words counted so far are used (a
    // word being read at that moment is not).
    void cancel();
    bool isDone() const { return done_; }
    int progressPercent() const;

    // The most frequent words, highest count first; words of equal count in
    // alphabetical order. At most `limit` entries.
    QList<KeywordEntry> keywords(int limit = MaxKeywords) const;
    int distinctWordCount() const;

    // "<META NAME=\"KEYWORDS\" DESCRIPTION=\"" + the keywords joined by ", "
    // + "\"> ".
    QString metaText() const;

private:
    void endWord();

    QString text_;
    qsizetype pos_ = 0;
    bool done_ = false;
    std::string word_;
    // Count of each word met, upper-cased; -1 marks a word on the ignore list
    // so that it is looked up only once.
    std::unordered_map<std::string, qint32> counts_;
    std::unordered_set<std::string> ignore_;
};

// Where the META line goes: the first line whose upper-cased text contains
// "<HEAD>"; the META text goes in as a new line directly after it.
struct MetaInsertion {
    bool found = false; // false: NoHeadMessage, nothing is inserted
    int offset = 0;     // where to insert
    QString text;       // what to insert there
};
MetaInsertion findMetaInsertion(const QString &text, const QString &metaText);

} // namespace search
