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
        {TagCommandId::Bold, s("BoldBtnClick"), s("Bold1"), s("<B> &Bold"), s("Format"),
         s("BoldBtn"), QString(), s("insert bold"), s("Ctrl+B"), s("<B>"), s("</B>")},
        {TagCommandId::Italic, s("ItalicBtnClick"), s("Italic1"), s("<I> &Italic"), s("Format"),
         s("ItalicBtn"), QString(), s("insert italic"), s("Ctrl+I"), s("<I>"), s("</I>")},
        {TagCommandId::Underline, s("UnderLineBtnClick"), s("Underline1"), s("<U> &Underline"),
         s("Format"), s("UnderLineBtn"), QString(), s("insert underline"), s("Ctrl+U"), s("<U>"),
         s("</U>")},
        {TagCommandId::Centre, s("CENTER1Click"), s("CENTER1"), s("<CENTER>"), s("Format"),
         s("CenterBtn"), s("<C>"), s("<CENTER>"), s("Ctrl+Shift+C"), s("<CENTER>"), s("</CENTER>")},
        {TagCommandId::Blockquote, s("Blockquote1Click"), s("Blockquote1"), s("<BLOCK&QUOTE>"),
         s("Format"), QString(), QString(), QString(), s("Ctrl+Alt+B"), s("<BLOCKQUOTE>"),
         s("</BLOCKQUOTE>")},
        {TagCommandId::ListItem, s("ListItem1Click"), s("ListItem1"), s("List I&tem"), s("Format"),
         QString(), QString(), QString(), s("Ctrl+L"), s("<Li>"), s("</Li>")},
        {TagCommandId::LineBreak, s("BreakBtnClick"), s("BNewLine1"), s("<BR> New Line"),
         s("Insert"), s("BreakBtn"), s("<BR>"), s("insert linespace <br>"), s("Ctrl+N"), s("<BR>"),
         QString()},
        {TagCommandId::Space, s("SpaceBtnClick"), s("Space1"), s("&Space"), s("Insert"),
         s("SpaceBtn"), s("SPC"), s("insert space"), s("Ctrl+Space"), s("&nbsp;"), QString()},
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
