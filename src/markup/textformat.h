#pragma once
// The texts of the paragraph, font, headline, rule and list dialogs, built
// from plain values so the dialogs only read their controls into a struct.
#include <QString>
#include <QtGlobal>

namespace markup {

// Paragraph alignment; NoAlign when no button of the group is chosen.
enum class ParaAlign { NoAlign = -1, Left, Centre, Right, Justify };

QString paragraphTag(ParaAlign align);

enum class FontFace { NoFace = -1, Serif, SansSerif, Monospace };

struct FontValues {
    bool useFace = false;
    FontFace face = FontFace::NoFace;
    bool useSize = false;
    int size = 3;
    bool useColour = false;
    quint32 colour = 0xFFFFFF;
};

QString fontTag(const FontValues &v);

enum class HeadAlign { Left, Center, Right };

struct HeadlineValues {
    QString text;
    HeadAlign align = HeadAlign::Left;
    int size = 1;   // 1..6
};

QString headline(const HeadlineValues &v);

enum class RuleAlign { Centre, Left, Right };

struct RuleValues {
    bool percent = true;
    int width = 100;
    int height = 1;
    bool useColour = false;
    quint32 colour = 0xFFFFFF;
    RuleAlign align = RuleAlign::Centre;
};

QString ruleTag(const RuleValues &v);

enum class Bullet { Disc, Square, Circle };
enum class Numbering { Arabic, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };

struct ListValues {
    bool ordered = false;
    Bullet bullet = Bullet::Disc;
    Numbering numbering = Numbering::Arabic;
    int start = 1;
};

struct ListTags {
    QString openTag;
    QString closeTag;
};

ListTags listTags(const ListValues &v);

} // namespace markup
