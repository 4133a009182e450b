#pragma once
// Scans of the markup near an offset: which tag holds it, the tag that
// pairs with it, the elements still open before it, where it stands (text,
// a tag, a comment, a script or style). Every scan is bounded by a number
// of characters and costs in proportion to the distance it covers, never
// to the size of the document.
#include "htmlaid/textsource.h"

#include <QStringList>

namespace htmlaid {

class HtmlData;

struct Tag {
    int start = -1;          // the '<'
    int end = -1;            // just after the '>'; -1 when the tag is not closed
    int nameStart = -1;
    int nameEnd = -1;
    bool closing = false;    // </name ...>
    bool selfClosing = false;   // <name ... />
    QString name;            // as written
    bool valid() const { return start >= 0; }
};

// Where an offset stands in a page.
enum class Place { Text, Tag, Comment, Script, Style, Other };

// Whether c may be part of a tag or attribute name.
bool isNameChar(QChar c);

// The tag whose '<' is at `lt`, read no further than `limit`. Not valid when
// no element name follows the '<'.
Tag readTag(const TextSource &src, int lt, int limit);

// The tag that holds `offset` (after its '<', up to its '>'), looking back at
// most `bound` characters. Not valid when offset is in no tag.
Tag tagAround(const TextSource &src, int offset, int bound);

// Where `offset` stands, judged from at most `bound` characters before it:
// the last comment, script or style opened and not closed since, else the
// last '<' or '>' before it.
Place placeAt(const TextSource &src, int offset, int bound);

// The tag that pairs with `tag`: for an opening tag its end tag after it,
// for an end tag the opening tag before it, counting the nesting of the
// same name and skipping comments, scripts and styles. Scans at most
// `bound` characters; not valid when there is none within them, or for a
// void or self-closed element.
Tag partnerOf(const TextSource &src, const Tag &tag, const HtmlData &data, int bound);

// Whether the opening tag `tag` already has its end tag ahead: found at the
// same nesting before the end tag of an element that holds it.
bool closedAhead(const TextSource &src, const Tag &tag, const HtmlData &data, int bound);

// The elements open at `offset`, innermost first, each name once (as
// written), at most `most` of them, looking back at most `bound` characters.
QStringList openElements(const TextSource &src, int offset, const HtmlData &data, int bound, int most = 8);

// The end tag to insert when a '>' has just been typed at `gt`, or empty:
// the '>' must end an opening tag in the page's text (not in a comment,
// script or attribute value), of an element that is not void nor closed by
// "/>", whose end tag does not already follow.
QString closingTagFor(const TextSource &src, int gt, const HtmlData &data);

// What the characters before the caret ask to complete.
struct Completion {
    enum Kind { None, Element, EndTag, Attribute, Entity } kind = None;
    int start = -1;          // where the word being completed begins
    QString prefix;          // what of it is typed
    QString element;         // for Attribute: the tag's element
};
Completion completionAt(const TextSource &src, int caret);

// Scan bounds, in characters.
inline constexpr int kTagBound = 4096;        // one tag, back to its '<'
inline constexpr int kPlaceBound = 65536;     // the place of an offset
inline constexpr int kPartnerBound = 1 << 20; // a partner tag, open elements

} // namespace htmlaid
