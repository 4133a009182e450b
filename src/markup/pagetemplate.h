#pragma once
// The skeleton of a new web page.
#include <QString>
#include <QtGlobal>

namespace markup {

struct PageValues {
    QString title;
    QString author;
    bool useBackgroundColour = false;
    quint32 backgroundColour = 0xFFFFFF;
    QString backgroundImage;   // address as chosen; empty writes no BACKGROUND
    bool useText = false;
    quint32 text = 0xFFFFFF;
    bool useLink = false;
    quint32 link = 0xFFFFFF;
    bool useVisitedLink = false;
    quint32 visitedLink = 0xFFFFFF;
    bool fixedBackground = false;
};

// Every line ends with CR LF, the last one too.
QString pageText(const PageValues &v);

// Where the caller puts the caret after filling a new document with the
// page: the start of the middle one of the three empty lines in the body,
// counted back from the end of the text.
constexpr int PageCaretBack = 22;

} // namespace markup
