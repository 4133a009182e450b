#pragma once
// Which writing aids are on, as chosen in Preferences.
#include <QString>

namespace htmlaid {

struct AidOptions {
    bool autoClose = true;        // end tags after ">", names after "</"
    bool matchTags = true;        // a tag and its partner marked
    bool completion = true;       // element, attribute and reference lists
    bool spelling = true;         // the page's text checked
    bool spellPlainText = false;  // and plain-text files too
    QString language;             // dictionary name ("en_US"); empty: the default
    bool operator==(const AidOptions &) const = default;
};

} // namespace htmlaid
