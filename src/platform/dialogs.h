#pragma once
// The modal desktop dialogs the program asks questions with. Production code
// gets QtDialogs; tests install a scripted double that answers from a queue.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// State of a file dialog that callers keep between uses. The dialog reads it
// when shown and writes back what the user chose.
struct FileDialogState {
    QString title;
    QString filter;        // "desc|patterns|desc|patterns" as the program writes it
    int filterIndex = 1;   // one-based, as in the filter string
    QString defaultExt;    // appended to a typed name without an extension
    QString fileName;      // proposed name in, chosen full path out
    QString folder;        // initial folder in, folder of the choice out
};

enum class Answer { Yes, No, Cancel };

// How a message box presents itself: the icon it shows.
enum class MessageKind { Information, Error };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Both return false when the user cancels; state is then left unchanged.
    virtual bool openFile(FileDialogState &state, QWidget *parent) = 0;
    virtual bool saveFile(FileDialogState &state, QWidget *parent) = 0;

    // Colour chooser opened at `initial`; nullopt when cancelled.
    virtual std::optional<QColor> chooseColor(const QColor &initial, QWidget *parent) = 0;

    // One-line text input; nullopt when cancelled.
    virtual std::optional<QString> inputText(const QString &title, const QString &prompt,
                                             const QString &initial, QWidget *parent) = 0;

    // A box with an OK button; the text is shown literally, never as markup.
    virtual void message(const QString &text, QWidget *parent,
                         MessageKind kind = MessageKind::Information) = 0;
    // The same box with the error icon.
    void error(const QString &text, QWidget *parent) { message(text, parent, MessageKind::Error); }

    // A question with Yes, No and Cancel.
    virtual Answer askYesNoCancel(const QString &text, QWidget *parent) = 0;

    // A question with Yes and No only; closing the box answers No.
    virtual Answer askYesNo(const QString &text, QWidget *parent) = 0;

    // Families of the fonts installed for the screen.
    virtual QStringList fontFamilies() = 0;
};

// The dialogs every window uses. Never null: QtDialogs until a test installs
// its own; installing nullptr restores QtDialogs.
Dialogs &dialogs();
void setDialogs(Dialogs *replacement);

// Converts "desc|patterns|desc|patterns" into Qt's name filters, one entry a
// pair, the patterns separated by blanks inside the trailing parentheses.
QStringList qtNameFilters(const QString &pipeFilter);
