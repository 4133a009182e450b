#pragma once
// The texts of the anchor, e-mail, image and marquee commands.
#include <QString>
#include <QtGlobal>

namespace markup {

struct AnchorValues {
    QString url;
    QString target;   // "[none]" or empty writes no TARGET
    QString name;
    QString description;
};

// Either a finished anchor, or the message that refuses the entries (then
// text is empty and the dialog stays open).
struct AnchorResult {
    QString text;
    QString message;
};

AnchorResult anchor(const AnchorValues &v);

struct EmailValues {
    QString address;
    QString subject;
    QString description;
};

QString emailLink(const EmailValues &v);

// The file-name part of a path: everything after the last "/".
QString fileNamePart(const QString &path);

// The IMG tag for a picture written as `ref` whose file has `sizeBytes`
// bytes; ends with a line break.
QString imageTag(const QString &ref, qint64 sizeBytes);

enum class MarqueeBehaviour { NoBehaviour = -1, Slide, Scroll, Alternate };
enum class MarqueeDirection { NoDirection = -1, Left, Right, Up, Down };

struct MarqueeValues {
    QString fontTag;   // FONT opening tag from the font dialog, or empty
    QString text;
    int loops = 0;
    bool useBackground = false;
    quint32 background = 0xFFFFFF;
    MarqueeDirection direction = MarqueeDirection::NoDirection;
    MarqueeBehaviour behaviour = MarqueeBehaviour::NoBehaviour;
    bool widthPercent = true;
    int width = 100;
    bool heightPercent = true;
    int height = 10;
    QString title;
    int scrollAmount = 10;
    int scrollDelay = 10;
};

QString marquee(const MarqueeValues &v);

} // namespace markup
