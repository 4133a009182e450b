#pragma once
#include "platform/dialogs.h"

// The real dialogs: QFileDialog, QColorDialog, QInputDialog, QMessageBox.
class QtDialogs : public Dialogs {
public:
    bool openFile(FileDialogState &state, QWidget *parent) override;
    bool saveFile(FileDialogState &state, QWidget *parent) override;
    std::optional<QColor> chooseColor(const QColor &initial, QWidget *parent) override;
    std::optional<QString> inputText(const QString &title, const QString &prompt,
                                     const QString &initial, QWidget *parent) override;
    void message(const QString &text, QWidget *parent, MessageKind kind) override;
    Answer askYesNoCancel(const QString &text, QWidget *parent) override;
    Answer askYesNo(const QString &text, QWidget *parent) override;
    QStringList fontFamilies() override;
};
