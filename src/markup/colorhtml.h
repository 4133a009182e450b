#pragma once
// The one HTML notation for colours. A colour value holds red in its lowest
// byte, then green, then blue (0x00BBGGRR); HTML wants red, green, blue.
#include <QString>
#include <QtGlobal>

// Six upper-case hex digits, red first; callers write the "#" themselves.
// A value wider than six digits keeps only its first six (all bits set, as a
// failed screen read reports, gives "FFFFFF").
QString ColorToHtml(quint32 colour);
