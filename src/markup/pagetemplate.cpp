#include "markup/pagetemplate.h"

#include "markup/colorhtml.h"

#include <QStringList>

namespace markup {

namespace {
QString s(const char *text)
{
    return QString::fromLatin1(text);
}
QString colourAttr(const char *name, quint32 colour)
{
    return s(name) + ColorToHtml(colour) + QLatin1Char('"');
}
}

QString pageText(const PageValues &v)
{
    QStringList lines{s("<HTML>"), s("<HEAD>"),
                      s("<META NAME=\"Generator\" CONTENT=\"Dravenic(UK)'s Mivor v2\">")};
    if (!v.author.isEmpty())
        lines << s("<META NAME=\"Author\" CONTENT=\"") + v.author + s("\">");
    lines << s("<TITLE>") + v.title + s("</TITLE>") << s("</HEAD>");

    QString body = s("<BODY");
    if (v.useBackgroundColour)
        body += colourAttr(" BGCOLOR=\"#", v.backgroundColour);
    if (!v.backgroundImage.isEmpty())
        body += s(" BACKGROUND=\"") + v.backgroundImage + QLatin1Char('"');
    if (v.useText)
        body += colourAttr(" TEXT=\"#", v.text);
    if (v.useLink)
        body += colourAttr(" LINK=\"#", v.link);
    if (v.useVisitedLink)
        body += colourAttr(" VLINK=\"#", v.visitedLink);
    if (v.fixedBackground)
        body += s(" BGPROPERTIES=\"fixed\"");
    lines << body + s(" >") << QString() << QString() << QString() << s("</BODY>") << s("</HTML>");

    QString out;
    for (const QString &line : lines)
        out += line + s("\r\n");
    return out;
}

} // namespace markup
