#include "markup/tagcommands.h"

#include "markup/colorhtml.h"

namespace markup {

namespace {
QString s(const char *text)
{
    return QString::fromLatin1(text);
}
}

const QList<TagCommand> &tagCommands()
{
    static const QList<TagCommand> table{
        {TagCommandId::Bold, s("<B>"), s("</B>")},
        {TagCommandId::Italic, s("<I>"), s("</I>")},
        {TagCommandId::Underline, s("<U>"), s("</U>")},
        {TagCommandId::Centre, s("<CENTER>"), s("</CENTER>")},
        {TagCommandId::Blockquote, s("<BLOCKQUOTE>"), s("</BLOCKQUOTE>")},
        {TagCommandId::ListItem, s("<Li>"), s("</Li>")},
        {TagCommandId::LineBreak, s("<BR>"), QString()},
        {TagCommandId::Space, s("&nbsp;"), QString()},
    };
    return table;
}

const TagCommand &tagCommand(TagCommandId id)
{
    for (const TagCommand &c : tagCommands())
        if (c.id == id)
            return c;
    Q_UNREACHABLE();
}

Insertion wrapTags(const QString &open, const QString &selection, const QString &close)
{
    return {open + selection + close, selection.isEmpty() ? int(close.size()) : 0};
}

Insertion applyTagCommand(const TagCommand &command, const QString &selection)
{
    if (command.close.isEmpty())
        return {command.open, 0};
    return wrapTags(command.open, selection, command.close);
}

Insertion paragraphInsertion(const QString &openTag, const QString &selection)
{
    static const QString tail = s("\r\n</P>");
    if (selection.isEmpty())
        return {openTag + tail, int(tail.size())};
    return {openTag + s("\r\n") + selection + tail, 0};
}

Insertion fontInsertion(const QString &openTag, const QString &selection)
{
    if (selection.isEmpty()) {
        static const QString tail = s("\r\n</FONT>");
        return {openTag + tail, int(tail.size())};
    }
    return {openTag + selection + s("</FONT>"), 0};
}

Insertion listInsertion(const QString &openTag, const QString &selection, const QString &closeTag)
{
    return {openTag + selection + closeTag, int(closeTag.size())};
}

Insertion ruleInsertion(const QString &fragment)
{
    return {fragment + s("\r\n"), 0};
}

Insertion framesetInsertion(const QString &fragment)
{
    return {fragment, 11};
}

Insertion frameInsertion(const QString &fragment)
{
    return {fragment, 8};
}

QString quotedColour(quint32 colour)
{
    return s("\"#") + ColorToHtml(colour) + s("\"");
}

} // namespace markup
