#include "markup/linkmedia.h"

#include "markup/colorhtml.h"

namespace markup {

namespace {
QString s(const char *text)
{
    return QString::fromLatin1(text);
}
QString attr(const char *nameWithQuote, const QString &value)
{
    return s(nameWithQuote) + value + QLatin1Char('"');
}
QString sized(const char *name, int value, bool percent)
{
    return s(name) + QString::number(value) + (percent ? s("%\"") : s("\""));
}
}

AnchorResult anchor(const AnchorValues &v)
{
    if (v.url.isEmpty() && v.name.isEmpty())
        return {QString(), s("you must enter a URL or a Name")};
    if (v.description.isEmpty() && v.name.isEmpty())
        return {QString(), s("You must enter a description or a Name")};
    QString out = s("<A");
    if (!v.url.isEmpty())
        out += attr(" HREF=\"", v.url);
    if (!v.name.isEmpty())
        out += attr(" NAME=\"", v.name);
    if (!v.target.isEmpty() && v.target != s("[none]"))
        out += attr(" TARGET=\"", v.target);
    return {out + s(">") + v.description + s("</A>\r\n"), QString()};
}

QString emailLink(const EmailValues &v)
{
    return s("<A HREF=\"mailto:") + v.address + s("?subject=") + v.subject + s("\">")
        + v.description + s("</A>");
}

QString fileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString imageTag(const QString &ref, qint64 sizeBytes)
{
    return s("<IMG SRC=\"") + ref + s("\" BORDER=\"0\" ALT=\"") + fileNamePart(ref) + s(" - ")
        + QString::number(sizeBytes / 1024) + s("k\" >\r\n");
}

QString marquee(const MarqueeValues &v)
{
    QString out;
    if (!v.fontTag.isEmpty())
        out += v.fontTag + s("\r\n");
    out += s("<MARQUEE");
    switch (v.behaviour) {
    case MarqueeBehaviour::Slide: out += s(" BEHAVIOR=\"slide\""); break;
    case MarqueeBehaviour::Alternate: out += s(" BEHAVIOR=\"alternate\""); break;
    case MarqueeBehaviour::Scroll:
    case MarqueeBehaviour::NoBehaviour: out += s(" BEHAVIOR=\"scroll\""); break;
    }
    if (v.useBackground)
        out += s(" BGCOLOR=\"#") + ColorToHtml(v.background) + s("\"");
    if (v.height > 0)
        out += sized(" HEIGHT=\"", v.height, v.heightPercent);
    if (v.width > 0)
        out += sized(" WIDTH=\"", v.width, v.widthPercent);
    switch (v.direction) {
    case MarqueeDirection::Right: out += s(" DIRECTION=\"right\""); break;
    case MarqueeDirection::Up: out += s(" DIRECTION=\"up\""); break;
    case MarqueeDirection::Down: out += s(" DIRECTION=\"down\""); break;
    case MarqueeDirection::Left:
    case MarqueeDirection::NoDirection: out += s(" DIRECTION=\"left\""); break;
    }
    out += v.loops <= 0 ? s(" LOOPS=\"infinite\"") : attr(" LOOPS=\"", QString::number(v.loops));
    if (v.scrollAmount > 0)
        out += attr(" SCROLLAMOUNT=\"", QString::number(v.scrollAmount));
    if (v.scrollDelay > 0)
        out += attr(" SCROLLDELAY=\"", QString::number(v.scrollDelay));
    if (!v.title.isEmpty())
        out += attr(" TITLE=\"", v.title);
    out += s(">\r\n") + v.text + s("\r\n</MARQUEE>");
    if (!v.fontTag.isEmpty())
        out += s("\r\n</FONT>\r\n");
    return out;
}

} // namespace markup
