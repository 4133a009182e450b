#pragma once
// Pictures of the tool-strip buttons, drawn by the program at start-up.
#include <QIcon>

QIcon toolIcon(const QString &buttonName);
