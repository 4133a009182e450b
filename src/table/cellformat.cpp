#include "table/cellformat.h"

#include "table/tabletext.h"

namespace table {

namespace {

CellInsertion tagPair(const char *open, const char *close, const QString &selection)
{
    const QString closing = QLatin1String(close);
    return {QLatin1String(open) + selection + closing, int(closing.size())};
}

} // namespace

CellInsertion boldInsertion(const QString &selection)
{
    return tagPair("<B>", "</B>", selection);
}

CellInsertion italicInsertion(const QString &selection)
{
    return tagPair("<I>", "</I>", selection);
}

CellInsertion underlineInsertion(const QString &selection)
{
    return tagPair("<U>", "</U>", selection);
}

CellInsertion paragraphInsertion(const QString &tag, const QString &selection)
{
    if (selection.isEmpty())
        return {tag + QStringLiteral("\r\n</P>"), 5};
    return {tag + QStringLiteral("\r\n") + selection + QStringLiteral("\r\n</P>"), 0};
}

CellInsertion fontInsertion(const QString &tag, const QString &selection)
{
    if (selection.isEmpty())
        return {tag + QStringLiteral("\r\n</FONT>"), 8};
    return {tag + selection + QStringLiteral("</FONT>"), 0};
}

CellInsertion lineBreakInsertion()
{
    return {QStringLiteral("<BR>"), 0};
}

CellInsertion colourInsertion(quint32 colour)
{
    return {QStringLiteral("\"#") + ColorToHtml(colour) + QLatin1Char('"'), 0};
}

QString pictureCellText(const QString &imageRef, qint64 sizeInBytes)
{
    const QString fileName = imageRef.mid(imageRef.lastIndexOf(QLatin1Char('/')) + 1);
    return QStringLiteral("<IMG SRC=\"") + imageRef + QStringLiteral("\" BORDER=\"0\" ALT=\"") + fileName
        + QStringLiteral(" - ") + QString::number(sizeInBytes / 1024) + QStringLiteral("k\" >\r\n");
}

} // namespace table
