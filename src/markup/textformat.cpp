#include "markup/textformat.h"

#include "markup/colorhtml.h"

namespace markup {

namespace {
QString s(const char *text)
{
    return QString::fromLatin1(text);
}
QString quoted(const QString &value)
{
    return QLatin1Char('"') + value + QLatin1Char('"');
}
}

QString paragraphTag(ParaAlign align)
{
    QString a;
    switch (align) {
    case ParaAlign::Left: a = s(" align=\"left\""); break;
    case ParaAlign::Centre: a = s(" align=\"center\""); break;
    case ParaAlign::Right: a = s(" align=\"right\""); break;
    case ParaAlign::Justify: a = s(" align=\"justify\""); break;
    case ParaAlign::NoAlign: break;
    }
    return s("<P") + a + s(">");
}

QString fontTag(const FontValues &v)
{
    QString out = s("<FONT");
    if (v.useFace) {
        switch (v.face) {
        case FontFace::Serif: out += s(" FACE=\"serif\""); break;
        case FontFace::SansSerif: out += s(" FACE=\"sans-serif\""); break;
        case FontFace::Monospace: out += s(" FACE=\"monospace\""); break;
        case FontFace::NoFace: break;
        }
    }
    if (v.useSize)
        out += s(" SIZE=") + quoted(QString::number(v.size));
    if (v.useColour)
        out += s(" COLOR=\"#") + ColorToHtml(v.colour) + s("\"");
    return out + s(">");
}

QString headline(const HeadlineValues &v)
{
    const QString h = s("H") + QString::number(v.size);
    QString a;
    switch (v.align) {
    case HeadAlign::Left: a = s(" ALIGN=\"LEFT\""); break;
    case HeadAlign::Center: a = s(" ALIGN=\"CENTER\""); break;
    case HeadAlign::Right: a = s(" ALIGN=\"RIGHT\""); break;
    }
    return s("<") + h + a + s(">") + v.text + s("</") + h + s(">\r\n");
}

QString ruleTag(const RuleValues &v)
{
    QString out = s("<HR");
    if (v.width > 0)
        out += s(" WIDTH=\"") + QString::number(v.width) + (v.percent ? s("%\"") : s("\""));
    if (v.height != 1)
        out += s(" SIZE=") + quoted(QString::number(v.height));
    if (v.useColour)
        out += s(" COLOR=\"#") + ColorToHtml(v.colour) + s("\"");
    switch (v.align) {
    case RuleAlign::Centre: out += s(" ALIGN=\"center\""); break;
    case RuleAlign::Left: out += s(" ALIGN=\"left\""); break;
    case RuleAlign::Right: out += s(" ALIGN=\"right\""); break;
    }
    return out + s(">");
}

ListTags listTags(const ListValues &v)
{
    if (v.ordered) {
        static const char *const types[] = {"\"1\"", "\"a\"", "\"A\"", "\"i\"", "\"I\""};
        QString open = s("<OL ") + s("TYPE=") + s(types[int(v.numbering)]);
        if (v.start > 1)
            open += s(" START=") + quoted(QString::number(v.start));
        return {open + s(">"), s("</OL>")};
    }
    static const char *const bullets[] = {"\"disc\"", "\"square\"", "\"circle\""};
    return {s("<UL ") + s("TYPE=") + s(bullets[int(v.bullet)]) + s(">"), s("</UL>")};
}

} // namespace markup
