#pragma once
// Plain value types of the table editor: one cell's attribute record, the
// table-wide properties and the values shown by the cell panel.
#include <QString>
#include <QtGlobal>

#include <array>

namespace table {

// The grid and the cell store are at most this many columns and rows.
constexpr int MaxTableSize = 20;

// Index of the unit selectors ("%", "Pixels").
constexpr int PercentUnit = 0;
constexpr int PixelsUnit = 1;

// Spin box ranges of the width and height boxes: 0..1000, or 0..100 once the
// user has picked "%".
constexpr int PixelLimit = 1000;
constexpr int PercentLimit = 100;

enum class AlignKind { Horizontal, Vertical };

// One cell's attributes. Default values are the blank record.
struct TCellAttributes {
    bool Stored = false;
    qint32 Height = 0;
    bool HeightPercent = true;
    qint32 Width = 0;
    bool WidthPercent = true;
    bool ColourOn = false;
    quint32 Colour = 0xFFFFFF; // 0x00BBGGRR
    qint32 HAlign = 0;         // 0 left, 1 centre, 2 right
    qint32 VAlign = 0;         // 0 top, 1 middle, 2 bottom
    QString Background;        // at most 255 characters
    qint32 RowSpan = 1;        // 0 = covered by another cell's span
    qint32 ColSpan = 1;        // 0 = covered by another cell's span
    QString Text;              // copy of the grid text made when stored

    bool covered() const { return RowSpan == 0 || ColSpan == 0; }
    bool operator==(const TCellAttributes &) const = default;
};

inline const TCellAttributes BlankCell{};

// Indexed [column][row].
using CellStore = std::array<std::array<TCellAttributes, MaxTableSize>, MaxTableSize>;
using GridTexts = std::array<std::array<QString, MaxTableSize>, MaxTableSize>;

// The table-wide properties as the property controls hold them.
struct TTableProperties {
    qint32 Cols = 1;
    qint32 Rows = 1;
    qint32 Width = 0;
    qint32 Height = 0;
    qint32 WidthUnit = PercentUnit;
    qint32 HeightUnit = PercentUnit;
    bool ColourOn = false;          // TabColorChk; the swatch is enabled while on
    quint32 Colour = 0xFFFFFF;
    qint32 Border = 1;
    bool LineOn = false;            // TabLineChk
    quint32 LineColour = 0xFFFFFF;
    bool LightDarkOn = false;       // LightDark
    quint32 LightColour = 0xFFFFFF;
    quint32 DarkColour = 0xFFFFFF;
    qint32 Spacing = 0;
    qint32 Padding = 0;
    qint32 Align = 0;               // 0 none, 1 left, 2 centre, 3 right
    QString Background;             // caption of BGImageLabel

    bool operator==(const TTableProperties &) const = default;
};

// What the "Selected Cell Properties" controls and the span boxes show.
struct CellPanel {
    qint32 Width = 0;              // cellwidth
    bool WidthPercent = true;      // RadioGroup5
    qint32 WidthMax = PixelLimit;
    qint32 Height = 0;             // CellHeight
    bool HeightPercent = true;     // RadioGroup6
    qint32 HeightMax = PixelLimit;
    bool ColourOn = false;         // CellColorCheck; Shape5 enabled while on
    quint32 Colour = 0xFFFFFF;     // Shape5
    qint32 HAlign = 0;             // horzalign
    qint32 VAlign = 0;             // VertAlign
    QString Background;            // caption (and hint) of Label11
    qint32 ColSpan = 1;            // colspin
    qint32 ColSpanMax = 1;
    bool ColSpanEnabled = true;
    qint32 RowSpan = 1;            // rowspin
    qint32 RowSpanMax = 1;
    bool RowSpanEnabled = true;

    bool operator==(const CellPanel &) const = default;
};

} // namespace table
