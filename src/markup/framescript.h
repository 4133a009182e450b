#pragma once
// The texts of the frameset, frame and script commands.
#include <QString>

namespace markup {

struct FramesetValues {
    QString rows;
    QString columns;
};

QString frameset(const FramesetValues &v);

enum class Scrolling { Auto, Yes, No };

struct FrameValues {
    QString name;
    QString source;
    bool noResize = false;
    Scrolling scrolling = Scrolling::Auto;
    int marginWidth = 0;
    int marginHeight = 0;
    int border = 0;
};

QString frame(const FrameValues &v);

// "&Direct": the script between its tags; the closing tag follows the text
// directly (on its last line unless the text ends with a line break).
QString directScript(const QString &script);

// "&From File": a SCRIPT element that refers to the file-name part of the
// script's path.
QString scriptFromFile(const QString &scriptFile);

} // namespace markup
