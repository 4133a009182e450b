#include "formmaker/formmodel.h"

namespace formmaker {

namespace {

const QString Select = QStringLiteral("select");

bool isSizedInput(const QString &t)
{
    return t == QLatin1String("textarea") || t == QLatin1String("text")
        || t == QLatin1String("password");
}

} // namespace

FormModel::FormModel()
{
    ResetElements();
    setGridRowCount(2);
}

QString FormModel::fullMessage()
{
    return QStringLiteral("The form is full: it holds at most 51 elements.");
}

QString FormModel::tooManyOptionsMessage()
{
    return QStringLiteral("A drop-down list holds at most 10 options: "
                          "empty the rows after the tenth before posting.");
}

void FormModel::ResetElements()
{
    Elements.fill(TFormElement{});
    ElementOptions.fill(TElementOptions{});
    LastIndex = -1;
    CurrentIndex = -1;
    if (controls.grid.isEmpty())
        controls.grid.append(OptionRow{});
    controls.grid[0] = OptionRow{QStringLiteral("Selection Options"), QStringLiteral("Values"),
                                 QStringLiteral("Selected")};
}

bool FormModel::setText(QString &field, const QString &v)
{
    if (field == v)
        return false;
    field = v;
    PreElementTextChange();
    return true;
}

void FormModel::setPreText(const QString &v) { setText(controls.preText, v); }
void FormModel::setPostText(const QString &v) { setText(controls.postText, v); }
void FormModel::setName(const QString &v) { setText(controls.name, v); }
void FormModel::setValue(const QString &v) { setText(controls.value, v); }
void FormModel::setChecked(const QString &v) { setText(controls.checked, v); }
void FormModel::setOnEvent(const QString &v) { setText(controls.onEvent, v); }

void FormModel::setSize(int v)
{
    if (controls.size == v)
        return;
    controls.size = v;
    PreElementTextChange();
}

void FormModel::setMax(int v)
{
    if (controls.max == v)
        return;
    controls.max = v;
    PreElementTextChange();
}

void FormModel::PreElementTextChange()
{
    if (Adding || Editing)
        Unposted = true;
}

void FormModel::setGridRowCount(int rows)
{
    rows = qMax(rows, 1);
    while (controls.grid.size() > rows)
        controls.grid.removeLast();
    while (controls.grid.size() < rows)
        controls.grid.append(OptionRow{});
    if (controls.gridRow >= rows)
        controls.gridRow = rows - 1;
}

void FormModel::setOptionCell(int row, int col, const QString &text)
{
    if (row < 1 || row >= gridRowCount())
        return;
    OptionRow &r = controls.grid[row];
    (col == 0 ? r.text : col == 1 ? r.value : r.selected) = text;
}

QString FormModel::optionCell(int row, int col) const
{
    if (row < 0 || row >= gridRowCount())
        return {};
    const OptionRow &r = controls.grid[row];
    return col == 0 ? r.text : col == 1 ? r.value : r.selected;
}

void FormModel::setGridFocus(int row, int col)
{
    controls.gridRow = qBound(1, row, qMax(1, gridRowCount() - 1));
    controls.gridCol = qBound(0, col, 2);
}

bool FormModel::SG1KeyPress(QChar key)
{
    if (key != QChar(13) && key != QChar('P'))
        return false;
    if (optionCell(controls.gridRow, controls.gridCol).isEmpty())
        return false;
    setGridRowCount(gridRowCount() + 1);
    controls.gridRow = gridRowCount() - 1;
    return true;
}

void FormModel::SG1RightMouseDown()
{
    if (!Unposted)
        controls.gridVisible = false;
}

void FormModel::ClearElementControls()
{
    controls.counter.clear();
    setPreText(QString());
    setPostText(QString());
    controls.type.clear();
    setName(QString());
    setValue(QString());
    setChecked(QString());
    setOnEvent(QString());
    setSize(0);
    setMax(0);
    for (int r = 1; r < gridRowCount(); ++r)
        controls.grid[r] = OptionRow{};
    setGridRowCount(2);
    controls.gridVisible = false;
}

void FormModel::setCounter(int shown, int total)
{
    controls.counter = QString::number(shown) + QLatin1Char('/') + QString::number(total);
}

void FormModel::ShowElement(int i)
{
    if (i < 0 || i >= MaxElements)
        return;
    if (LastIndex > 0)
        setCounter(i + 1, LastIndex + 1);
    const TFormElement &e = Elements[i];
    setPreText(e.PreText);
    setPostText(e.PostText);
    controls.type = e.ElementType;
    setSize(e.Size);
    setMax(e.Max);
    setName(e.Name);
    setValue(e.Value);
    setChecked(e.Checked);
    setOnEvent(e.OnEvent);

    const bool select = e.ElementType == Select;
    controls.eventLabel = select ? QStringLiteral("onChange()") : QStringLiteral("onClick()");
    controls.sizeLabel = select ? QStringLiteral("Size") : QStringLiteral("Cols");
    // The second rule decides the event label.
    controls.eventLabel = isSizedInput(e.ElementType) ? QStringLiteral("onChange()")
                                                      : QStringLiteral("onClick()");

    const TElementOptions &o = ElementOptions[i];
    if (o.RowCount < 1) {
        controls.gridVisible = false;
        return;
    }
    // A damaged file may announce more rows than there are entries.
    const int rows = qMin<qint32>(o.RowCount, OptionEntries);
    setGridRowCount(rows);
    for (int r = 1; r < rows; ++r)
        controls.grid[r] = OptionRow{o.OptionText[r], o.OptionValue[r], o.OptionSelected[r]};
    controls.gridVisible = true;
}

int FormModel::LastFilledOptionRow() const
{
    for (int r = gridRowCount() - 1; r >= 1; --r)
        if (!controls.grid[r].text.isEmpty() && !controls.grid[r].value.isEmpty())
            return r;
    return -1;
}

void FormModel::PostElement()
{
    const int e = CurrentIndex;
    if (e < 0 || e >= MaxElements)
        return;
    TFormElement &el = Elements[e];
    el.PreText = cutText(controls.preText, PreTextCapacity);
    el.PostText = cutText(controls.postText, PostTextCapacity);
    el.ElementType = cutText(controls.type, ElementTypeStored);
    el.Size = controls.size;
    el.Max = controls.max;
    el.Name = cutText(controls.name, NameCapacity);
    el.Value = cutText(controls.value, ValueCapacity);
    el.Checked = cutText(controls.checked, CheckedCapacity);
    el.OnEvent = cutText(controls.onEvent, OnEventCapacity);

    const int b = LastFilledOptionRow();
    if (b < 1)
        return;
    TElementOptions &o = ElementOptions[e];
    // Only entries 1 to 10 exist; posting refuses filled rows beyond them.
    o.RowCount = qMin(gridRowCount(), OptionEntries);
    for (int r = 1; r <= qMin(b, MaxOptions); ++r) {
        o.OptionText[r] = cutText(controls.grid[r].text, OptionCapacity);
        o.OptionValue[r] = cutText(controls.grid[r].value, OptionCapacity);
        o.OptionSelected[r] = cutText(controls.grid[r].selected, SelectedCapacity);
    }
}

void FormModel::CompactElements()
{
    for (int i = 0; i < LastIndex; ++i) {
        if (Elements[i].ElementType.isEmpty() && Elements[i].PreText.isEmpty()) {
            std::swap(Elements[i], Elements[i + 1]);
            std::swap(ElementOptions[i], ElementOptions[i + 1]);
        }
    }
    --LastIndex;
}

void FormModel::UpdateNavButtons()
{
    const bool busy = Adding || Editing;
    buttons.clear = busy;
    buttons.post = busy;
    buttons.add = !busy;
    buttons.del = !busy && LastIndex >= 0;
    buttons.edit = !busy && LastIndex >= 0;
    buttons.next = buttons.last = CurrentIndex < LastIndex;
    buttons.first = buttons.prev = CurrentIndex > 0;
}

void FormModel::setElementControlsEnabled(bool on)
{
    ElementControls &c = controls;
    c.preEnabled = c.postEnabled = c.typeEnabled = c.sizeEnabled = c.maxEnabled = on;
    c.checkedEnabled = c.nameEnabled = c.valueEnabled = c.eventEnabled = on;
}

void FormModel::showCurrentIfAny()
{
    if (LastIndex >= 0 && CurrentIndex >= 0)
        ShowElement(CurrentIndex);
}

void FormModel::FirstBtnClick()
{
    if (Adding || Editing || LastIndex < 0)
        return;
    CurrentIndex = 0;
    ClearElementControls();
    ShowElement(CurrentIndex);
    UpdateNavButtons();
}

void FormModel::prevbtnClick()
{
    if (Adding || Editing || CurrentIndex <= 0)
        return;
    --CurrentIndex;
    ClearElementControls();
    ShowElement(CurrentIndex);
    UpdateNavButtons();
}

void FormModel::NextBtnClick()
{
    if (Adding || Editing || CurrentIndex >= LastIndex)
        return;
    ++CurrentIndex;
    ClearElementControls();
    ShowElement(CurrentIndex);
    UpdateNavButtons();
}

void FormModel::LastBtnClick()
{
    if (Adding || Editing || LastIndex < 0)
        return;
    CurrentIndex = LastIndex;
    ClearElementControls();
    ShowElement(CurrentIndex);
    UpdateNavButtons();
}

QString FormModel::addbtnClick()
{
    if (Adding || Editing)
        return {};
    if (LastIndex >= MaxElements - 1)
        return fullMessage();
    ++LastIndex;
    // The slot may still hold an element (and its options) that a delete
    // carried past the end; a new element starts blank.
    Elements[LastIndex] = TFormElement{};
    ElementOptions[LastIndex] = TElementOptions{};
    Adding = true;
    CurrentIndex = LastIndex;
    ClearElementControls();
    setCounter(CurrentIndex + 1, LastIndex + 1);
    controls.sizeEnabled = controls.maxEnabled = controls.checkedEnabled = false;
    UpdateNavButtons();
    controls.preEnabled = controls.postEnabled = controls.typeEnabled = true;
    controls.nameEnabled = controls.valueEnabled = controls.eventEnabled = true;
    controls.gridVisible = false;
    return {};
}

QString FormModel::postbtnClick()
{
    if (LastFilledOptionRow() > MaxOptions)
        return tooManyOptionsMessage();
    PostElement();
    Adding = Editing = false;
    UpdateNavButtons();
    Unposted = false;
    setElementControlsEnabled(false);
    return {};
}

void FormModel::EditBtnClick()
{
    if (Adding || Editing || LastIndex < 0)
        return;
    const bool select = controls.type == Select;
    controls.sizeEnabled = select;
    controls.maxEnabled = controls.checkedEnabled = false;
    Editing = true;
    UpdateNavButtons();
    controls.preEnabled = controls.postEnabled = controls.typeEnabled = true;
    controls.nameEnabled = controls.valueEnabled = controls.eventEnabled = true;
    if (select)
        controls.gridVisible = true;
}

void FormModel::clearbtnClick()
{
    ClearElementControls();
    if (Adding) {
        --LastIndex;
        CurrentIndex = LastIndex;
    }
    Adding = Editing = Unposted = false;
    UpdateNavButtons();
    showCurrentIfAny();
}

void FormModel::DeleteBtnClick()
{
    if (Adding || Editing || LastIndex < 0 || CurrentIndex < 0)
        return;
    ClearElementControls();
    PostElement();
    CompactElements();
    if (LastIndex >= 0 && LastIndex < CurrentIndex)
        CurrentIndex = LastIndex;
    // With the list now empty there is nothing to show (the deleted
    // element's options would otherwise reappear in the grid).
    showCurrentIfAny();
    Unposted = false;
    UpdateNavButtons();
    setCounter(LastIndex + 1, LastIndex + 1);
}

void FormModel::elementtypeChange(const QString &type)
{
    controls.type = type;
    controls.gridVisible = false;
    setSize(0);
    setMax(0);
    const bool sized = isSizedInput(type);
    controls.sizeEnabled = controls.maxEnabled = sized;
    if (type == QLatin1String("radio") || type == QLatin1String("checkbox")) {
        controls.checkedEnabled = true;
    } else {
        setChecked(QStringLiteral("N"));
        controls.checkedEnabled = false;
    }
    if (type == Select) {
        controls.gridVisible = true;
        controls.sizeEnabled = true;
        controls.valueEnabled = false;
    }
    if (Adding || Editing)
        Unposted = true;
}

void FormModel::FormShow()
{
    Adding = Editing = false;
    ResetElements();
    ClearElementControls();
    Unposted = false;
    UpdateNavButtons();
    setElementControlsEnabled(false);
}

void FormModel::openForm(int lastIndex, const ElementList &elements, const OptionLists &options)
{
    Adding = Editing = false;
    ResetElements();
    Elements = elements;
    ElementOptions = options;
    LastIndex = qBound(-1, lastIndex, MaxElements - 1);
    CurrentIndex = 0;
    ClearElementControls();
    ShowElement(0);
    UpdateNavButtons();
    Unposted = false;
    setElementControlsEnabled(false);
}

} // namespace formmaker
