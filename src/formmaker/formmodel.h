#pragma once
// The form maker's element list, the cursor that walks it and the values of
// the window's element controls. The window mirrors `controls` and `buttons`
// into its widgets and reports every change of a widget back through the
// setters, which react exactly like the controls' change events. Qt Core only.

#include "formmaker/formtypes.h"

#include <QList>
#include <QString>

namespace formmaker {

struct OptionRow {
    QString text;       // "Selection Options"
    QString value;      // "Values"
    QString selected;   // "Selected"
    bool operator==(const OptionRow &) const = default;
};

// The element controls of the window, as plain values.
struct ElementControls {
    QString counter;                       // elementnum
    QString preText, postText, type, name, value, checked, onEvent;
    int size = 0;                          // elementsize
    int max = 0;                           // elementmax
    QString sizeLabel = QStringLiteral("Cols");
    QString eventLabel = QStringLiteral("onClick( ) ");

    bool preEnabled = false, postEnabled = false, typeEnabled = false;
    bool sizeEnabled = false, maxEnabled = false, checkedEnabled = false;
    bool nameEnabled = false, valueEnabled = false, eventEnabled = false;

    // Option grid SG1: row 0 is the header row, rows 1 and up hold options.
    QList<OptionRow> grid;
    bool gridVisible = false;
    int gridRow = 1;                       // focused cell
    int gridCol = 0;
};

struct NavButtons {
    bool first = false, prev = false, next = false, last = false;
    bool add = true, del = false, edit = false, post = false, clear = false;
    bool operator==(const NavButtons &) const = default;
};

class FormModel {
public:
    FormModel();

    ElementList Elements;
    OptionLists ElementOptions;
    int LastIndex = -1;
    int CurrentIndex = -1;
    bool Adding = false;
    bool Editing = false;
    bool Unposted = false;

    ElementControls controls;
    NavButtons buttons;

    // --- operations ---
    void ResetElements();
    void ClearElementControls();
    void ShowElement(int i);
    void PostElement();
    int LastFilledOptionRow() const;
    void CompactElements();
    void UpdateNavButtons();

    // --- list buttons; a non-empty result is a message for the user ---
    void FirstBtnClick();
    void prevbtnClick();
    void NextBtnClick();
    void LastBtnClick();
    QString addbtnClick();
    QString postbtnClick();
    void EditBtnClick();
    void clearbtnClick();
    void DeleteBtnClick();

    // --- control reactions ---
    void elementtypeChange(const QString &type);   // the user changed the type box
    void PreElementTextChange();

    // Setters for the controls whose change runs PreElementTextChange; a
    // value equal to the one held changes nothing.
    void setPreText(const QString &v);
    void setPostText(const QString &v);
    void setName(const QString &v);
    void setValue(const QString &v);
    void setChecked(const QString &v);
    void setOnEvent(const QString &v);
    void setSize(int v);
    void setMax(int v);

    // Option grid.
    int gridRowCount() const { return int(controls.grid.size()); }
    void setGridRowCount(int rows);
    void setOptionCell(int row, int col, const QString &text);
    QString optionCell(int row, int col) const;
    void setGridFocus(int row, int col);
    // A key typed in the grid; true when it was taken (a row was added and
    // the focus moved to it), false when it is to be typed into the cell.
    bool SG1KeyPress(QChar key);
    // A right-button press on the grid.
    void SG1RightMouseDown();

    // What showing the window does to the list and the element controls.
    void FormShow();
    // Replaces the list by one read from a form file and shows its first
    // element; an unfinished add or edit ends without being posted.
    void openForm(int lastIndex, const ElementList &elements, const OptionLists &options);

    static QString fullMessage();
    static QString tooManyOptionsMessage();

private:
    bool setText(QString &field, const QString &v);
    void setElementControlsEnabled(bool on);
    void setCounter(int shown, int total);
    void showCurrentIfAny();
};

} // namespace formmaker
