#include "table/tablehtml.h"

#include "table/tablemodel.h"
#include "table/tabletext.h"

#include <QStringList>

#include <algorithm>

namespace table {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// " NAME=\"50%\"" or " NAME=\"50\"", nothing for 0 or less.
QString sizePiece(const char *name, qint32 value, bool percent)
{
    if (value <= 0)
        return {};
    return QLatin1String(name) + QString::number(value) + (percent ? QStringLiteral("%\"") : QStringLiteral("\""));
}

QString colourPiece(const char *name, quint32 colour)
{
    return QLatin1String(name) + ColorToHtml(colour) + QLatin1Char('"');
}

QString quoted(const char *name, const QString &value)
{
    return QLatin1String(name) + value + QLatin1Char('"');
}

QString tableTag(const TTableProperties &p)
{
    const QString height = sizePiece(" HEIGHT=\"", p.Height, p.HeightUnit == PercentUnit);
    const QString width = sizePiece(" WIDTH=\"", p.Width, p.WidthUnit == PercentUnit);
    const QString border = quoted(" BORDER=\"", QString::number(p.Border));
    const QString bgColour = p.ColourOn ? colourPiece(" BGCOLOR=\"#", p.Colour) : QString();
    QString borderColour;
    QString dark;
    if (p.LineOn)
        borderColour = colourPiece(" BORDERCOLOR=\"#", p.LineColour);
    if (p.LightDarkOn) {
        borderColour = colourPiece(" BORDERCOLORLIGHT=\"#", p.LightColour);
        dark = colourPiece(" BORDERCOLORDARK=\"#", p.DarkColour);
    }
    QString align;
    switch (p.Align) {
    case 1: align = QStringLiteral(" ALIGN=\"left\""); break;
    case 2: align = QStringLiteral(" ALIGN=\"center\""); break;
    case 3: align = QStringLiteral(" ALIGN=\"right\""); break;
    default: break;
    }
    const QString padding = quoted(" CELLPADDING=\"", QString::number(p.Padding));
    const QString spacing = quoted(" CELLSPACING=\"", QString::number(p.Spacing));
    const QString background =
        p.Background.isEmpty() ? QString() : quoted(" BACKGROUND=\"", asciiLower(p.Background));
    return QStringLiteral("<TABLE") + height + width + border + bgColour + borderColour + dark
        + align + padding + spacing + background + QLatin1Char('>') + CrLf;
}

QString verticalPiece(qint32 v)
{
    switch (v) {
    case 0: return QStringLiteral(" VALIGN=\"top\"");
    case 1: return QStringLiteral(" VALIGN=\"middle\"");
    case 2: return QStringLiteral(" VALIGN=\"bottom\"");
    default: return {};
    }
}

QString horizontalPiece(qint32 h)
{
    switch (h) {
    case 0: return QStringLiteral(" ALIGN=\"left\"");
    case 1: return QStringLiteral(" ALIGN=\"center\"");
    case 2: return QStringLiteral(" ALIGN=\"right\"");
    default: return {};
    }
}

} // namespace

QString generateTableHtml(const TTableProperties &props, const CellStore &cells,
                          const GridTexts &texts)
{
    const int cols = std::clamp<int>(props.Cols, 1, MaxTableSize);
    const int rows = std::clamp<int>(props.Rows, 1, MaxTableSize);
    // Only the first cell looked at in a column decides its width, and only
    // the first cell of a row its height; covered cells use up the decision.
    bool ColWidthDone[MaxTableSize] = {};
    bool RowHeightDone[MaxTableSize] = {};

    QString html = tableTag(props);
    for (int r = 0; r < rows; ++r) {
        html += QStringLiteral("<TR>") + CrLf;
        for (int c = 0; c < cols; ++c) {
            const TCellAttributes &R = cells[c][r];
            QString width;
            if (!ColWidthDone[c]) {
                width = sizePiece(" WIDTH=\"", R.Width, R.WidthPercent);
                ColWidthDone[c] = true;
            }
            QString height;
            if (!RowHeightDone[r]) {
                height = sizePiece(" HEIGHT=\"", R.Height, R.HeightPercent);
                RowHeightDone[r] = true;
            }
            if (R.RowSpan <= 0 || R.ColSpan <= 0)
                continue;
            const QString colour = R.ColourOn ? colourPiece(" BGCOLOR=\"#", R.Colour) : QString();
            const QString colSpan =
                R.ColSpan >= 2 ? quoted(" COLSPAN=\"", QString::number(R.ColSpan)) : QString();
            const QString rowSpan =
                R.RowSpan >= 2 ? quoted(" ROWSPAN=\"", QString::number(R.RowSpan)) : QString();
            const QString background =
                R.Background.isEmpty() ? QString() : quoted(" BACKGROUND=\"", asciiLower(R.Background));
            html += QStringLiteral("\t<TD") + width + height + colour + verticalPiece(R.VAlign)
                + horizontalPiece(R.HAlign) + background + colSpan + rowSpan + QStringLiteral(" >")
                + CrLf + texts[c][r] + QStringLiteral("</TD>") + CrLf;
        }
        html += CrLf + QStringLiteral("</TR>") + CrLf;
    }
    html += QStringLiteral("</TABLE>") + CrLf;
    return html;
}

QString buildTableHtml(TableModel &model)
{
    model.SaveCellAttributes(model.SelCol(), model.SelRow());
    return generateTableHtml(model.properties(), model.cellStore(), model.gridTexts());
}

QString tablePreviewPage(const QString &tableHtml)
{
    const QStringList lines = {
        QStringLiteral("<HTML>"),
        QStringLiteral("<HEAD>"),
        QStringLiteral("<META NAME=\"Generator\" CONTENT=\"Dravenic's Mivor v2.0\" >"),
        QStringLiteral("<TITLE></TITLE>"),
        QStringLiteral("</HEAD>"),
        QStringLiteral("<BODY>"),
        QStringLiteral("<BR><BR>"),
        tableHtml,
        QStringLiteral("<BR><BR>"),
        QStringLiteral("Remember to close this window"),
        QStringLiteral("</BODY>"),
        QStringLiteral("</HTML>"),
    };
    QString page;
    for (const QString &line : lines)
        page += line + CrLf;
    return page;
}

} // namespace table
