#include "app/pagedefaults.h"

#include <algorithm>

MivorSettings withinPageDefaultRanges(MivorSettings s)
{
    s.EditorFontSize = std::clamp(s.EditorFontSize, kMinFontSize, kMaxFontSize);
    s.AutosaveMinutes = std::clamp(s.AutosaveMinutes, kMinAutosaveMinutes, kMaxAutosaveMinutes);
    // A line break in the name would shift every later line of the file.
    s.EditorFontName.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}
