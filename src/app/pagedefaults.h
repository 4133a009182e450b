#pragma once
// Ranges of the page defaults the user can set: the font size and the
// autosave interval. A number typed beyond them is brought back inside, so a
// stored interval of 0 minutes or a 0-point font never reaches the program.
#include "settings/settingsstore.h"

constexpr int kMinFontSize = 6;
constexpr int kMaxFontSize = 120;
constexpr int kMinAutosaveMinutes = 1;
constexpr int kMaxAutosaveMinutes = 60;

MivorSettings withinPageDefaultRanges(MivorSettings s);
