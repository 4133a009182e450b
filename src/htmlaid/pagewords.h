#pragma once
// The words of a page's text, for spell checking: what a reader of the page
// sees, not its tags, attribute values, comments, scripts or styles. Named
// and numeric character references count as the characters they stand for
// ("caf&eacute;" is the word "café"). Tokens that hold digits or
// underscores, and names of files, hosts and mail addresses, are not words.
#include "htmlaid/tagscan.h"

#include <QString>
#include <functional>

namespace htmlaid {

class HtmlData;

struct Word {
    int offset = 0;      // in the text as written
    int length = 0;      // characters as written
    QString text;        // the word as read
};

// Reads a page line by line, keeping where it stands from one line to the
// next.
class PageWords {
public:
    // `html` false reads plain text: every word counts.
    PageWords(const HtmlData &data, bool html, Place start = Place::Text);

    // Feeds one stretch of text that begins at `offset` and ends at a line
    // break or a blank (words and markers never straddle two stretches).
    void feed(QStringView text, int offset, const std::function<void(const Word &)> &word);
    Place place() const { return place_; }

private:
    void wordAt(QStringView text, qsizetype &i, int offset, const std::function<void(const Word &)> &word);
    qsizetype reference(QStringView text, qsizetype i, QString &out) const;

    const HtmlData &data_;
    bool html_;
    Place place_;
    QChar quote_;
    bool rawAfterTag_ = false;   // the tag being read opens a script or style
    Place raw_ = Place::Text;
};

// The offset at which a stretch fed to PageWords may end, at or before
// `to` and after `from`: just after the last blank or line break there,
// or `to` when there is none.
int stretchEnd(const TextSource &src, int from, int to);

} // namespace htmlaid
