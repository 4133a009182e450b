#include "platform/qtdialogs.h"

#include "platform/focusreturn.h"
#include "platform/windowcentre.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QInputDialog>
#include <QMessageBox>
#include <algorithm>

namespace {

// A small box is as wide as its prompt, and the window manager cuts a title
// wider than what its title bar leaves beside the window's icon and buttons.
int widthForTitle(const QWidget &box)
{
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return metrics.horizontalAdvance(box.windowTitle()) + 8 * metrics.height();
}

bool runFileDialog(FileDialogState &state, QWidget *parent, bool saving)
{
    FocusReturn back(parent);
    QFileDialog dlg(parent, state.title);
    centreOnOwnerWhenShown(&dlg);
    dlg.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::DontUseNativeDialog, false);
    dlg.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = qtNameFilters(state.filter);
    dlg.setNameFilters(filters);
    if (state.filterIndex >= 1 && state.filterIndex <= filters.size())
        dlg.selectNameFilter(filters[state.filterIndex - 1]);
    dlg.setDefaultSuffix(state.defaultExt);
    QFileInfo proposed(state.fileName);
    if (!state.folder.isEmpty())
        dlg.setDirectory(state.folder);
    else if (proposed.isAbsolute())
        dlg.setDirectory(proposed.absolutePath());
    if (!state.fileName.isEmpty())
        dlg.selectFile(proposed.fileName());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    state.fileName = dlg.selectedFiles().first();
    state.folder = QFileInfo(state.fileName).absolutePath();
    const int idx = filters.indexOf(dlg.selectedNameFilter());
    if (idx >= 0)
        state.filterIndex = idx + 1;
    return true;
}

} // namespace

bool QtDialogs::openFile(FileDialogState &state, QWidget *parent)
{
    return runFileDialog(state, parent, false);
}

bool QtDialogs::saveFile(FileDialogState &state, QWidget *parent)
{
    return runFileDialog(state, parent, true);
}

std::optional<QColor> QtDialogs::chooseColor(const QColor &initial, QWidget *parent)
{
    FocusReturn back(parent);
    QColorDialog dlg(initial, parent);
    centreOnOwnerWhenShown(&dlg);
    if (dlg.exec() != QDialog::Accepted || !dlg.selectedColor().isValid())
        return std::nullopt;
    return dlg.selectedColor();
}

std::optional<QString> QtDialogs::inputText(const QString &title, const QString &prompt,
                                            const QString &initial, QWidget *parent)
{
    FocusReturn back(parent);
    QInputDialog box(parent);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(initial);
    // Its own layout sets the smallest size, so the box is made wider instead.
    box.adjustSize();
    box.resize(std::max(box.width(), widthForTitle(box)), box.height());
    centreOnOwnerWhenShown(&box);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

namespace {

// Every box shows its text literally: file names and messages may hold "<" or "&".
QMessageBox::StandardButton runBox(QMessageBox::Icon icon, const QString &text, QWidget *parent,
                                   QMessageBox::StandardButtons buttons,
                                   QMessageBox::StandardButton defaultButton)
{
    FocusReturn back(parent);
    QMessageBox box(icon, QApplication::applicationName(), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    centreOnOwnerWhenShown(&box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void QtDialogs::message(const QString &text, QWidget *parent, MessageKind kind)
{
    runBox(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information, text,
           parent, QMessageBox::Ok, QMessageBox::Ok);
}

Answer QtDialogs::askYesNoCancel(const QString &text, QWidget *parent)
{
    const auto b = runBox(QMessageBox::Question, text, parent,
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (b == QMessageBox::Yes)
        return Answer::Yes;
    if (b == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

Answer QtDialogs::askYesNo(const QString &text, QWidget *parent)
{
    const auto b = runBox(QMessageBox::Question, text, parent, QMessageBox::Yes | QMessageBox::No,
                          QMessageBox::No);
    return b == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QStringList QtDialogs::fontFamilies()
{
    return QFontDatabase::families();
}
