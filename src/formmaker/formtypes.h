#pragma once
// The records of one form: form-wide settings, the element list and the
// option list each element carries. Qt Core only.

#include <QString>

#include <array>

namespace formmaker {

// A form holds at most this many elements (indices 0 to 50).
constexpr int MaxElements = 51;
// Option entries per element; entry 0 belongs to the grid's header row, so
// a drop-down list holds options 1 to 10.
constexpr int OptionEntries = 11;
constexpr int MaxOptions = OptionEntries - 1;

// Capacities of the counted strings, in characters.
constexpr int PreTextCapacity = 255;
constexpr int PostTextCapacity = 255;
constexpr int ElementTypeStored = 10;   // the field has room for 11
constexpr int NameCapacity = 250;
constexpr int ValueCapacity = 250;
constexpr int CheckedCapacity = 2;
constexpr int OnEventCapacity = 250;
constexpr int OptionCapacity = 50;
constexpr int SelectedCapacity = 1;

struct TFormElement {
    QString PreText;
    QString PostText;      // for a text area its initial content
    QString ElementType;
    qint32 Size = 0;       // SIZE, or COLS of a text area; 0 or less: none
    qint32 Max = 0;        // MAXLENGTH, or ROWS of a text area; 0 or less: none
    QString Name;
    QString Value;
    QString Checked;       // exactly "Y" makes an input CHECKED
    QString OnEvent;
    bool operator==(const TFormElement &) const = default;
};

struct TElementOptions {
    qint32 RowCount = 0;   // option grid rows (header included) when stored
    std::array<QString, OptionEntries> OptionText;
    std::array<QString, OptionEntries> OptionValue;
    std::array<QString, OptionEntries> OptionSelected;
    bool operator==(const TElementOptions &) const = default;
};

using ElementList = std::array<TFormElement, MaxElements>;
using OptionLists = std::array<TElementOptions, MaxElements>;

// The form-wide controls of the form maker window.
struct FormSettings {
    QString FormName;
    QString Method = QStringLiteral("Post");
    QString Action;
    QString OnSubmit;
    bool SubmitOn = false;
    bool ResetOn = false;
    QString SubmitValue;
    QString ResetValue;
    bool operator==(const FormSettings &) const = default;
};

// Cuts a text to at most `capacity` characters (code points, so a
// surrogate pair is never split).
QString cutText(const QString &text, int capacity);

} // namespace formmaker
