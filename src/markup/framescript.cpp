#include "markup/framescript.h"

#include "markup/linkmedia.h"

namespace markup {

namespace {
QString s(const char *text)
{
    return QString::fromLatin1(text);
}
QString positive(int value)
{
    return value > 0 ? QString::number(value) : QString();
}
}

QString frameset(const FramesetValues &v)
{
    return s("<FRAMESET ROWS=\"") + v.rows + s("\" COLS=\"") + v.columns + s("\"></FRAMESET>");
}

QString frame(const FrameValues &v)
{
    static const char *const scroll[] = {"AUTO", "YES", "NO"};
    return s("<FRAME NAME=\"") + v.name + s("\" SRC=\"") + v.source + s("\" FRAMEBORDER=\"")
        + (v.border > 0 ? s("1") : QString()) + s("\" MARGINWIDTH=\"") + positive(v.marginWidth)
        + s("\" MARGINHEIGHT=\"") + positive(v.marginHeight) + s("\"")
        + (v.noResize ? s(" NORESIZE") : QString()) + s(" SCROLLING=\"")
        + s(scroll[int(v.scrolling)]) + s("\" ></FRAME>");
}

QString directScript(const QString &script)
{
    return s("<SCRIPT Language=\"javascript\">\r\n") + script + s("</SCRIPT>");
}

QString scriptFromFile(const QString &scriptFile)
{
    return s("<SCRIPT SRC=\"") + fileNamePart(scriptFile) + s("\"></SCRIPT>");
}

} // namespace markup
