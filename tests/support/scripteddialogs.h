#pragma once
// Scripted stand-ins for the modal dialogs and the shell. Answers are queued
// by the test; every question shown is recorded. An unexpected file, colour
// or input dialog (an empty queue) answers "cancel" and is counted; an
// unexpected Yes/No question answers "cancel"/"no" and fails the test when
// the double goes, unless the test allows it.
#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QList>
#include <QQueue>

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs();   // installs itself
    ~ScriptedDialogs() override;  // restores the real dialogs

    // --- answers ---
    // A file answer: the path chosen (nullopt = cancel) and optionally the
    // filter index the user switched to (0 = leave as proposed).
    void queueFile(const std::optional<QString> &path, int filterIndex = 0);
    void queueColor(const std::optional<QColor> &color);
    void queueInput(const std::optional<QString> &text);
    void queueAnswer(Answer answer);

    // --- what was shown ---
    QList<FileDialogState> fileDialogs;   // state as shown, before the answer
    QList<QColor> colorDialogs;           // initial colours
    QStringList inputPrompts;
    QStringList messages;                 // texts of OK boxes, of every kind
    QStringList errors;                   // texts of the OK boxes shown as errors
    QStringList questions;                // texts of Yes/No/Cancel and Yes/No boxes
    int unexpected = 0;                   // dialogs and questions met with an empty queue
    QStringList unansweredQuestions;      // questions met with an empty queue
    bool allowUnansweredQuestions = false;
    QStringList families{QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")};

    bool openFile(FileDialogState &state, QWidget *parent) override;
    bool saveFile(FileDialogState &state, QWidget *parent) override;
    std::optional<QColor> chooseColor(const QColor &initial, QWidget *parent) override;
    std::optional<QString> inputText(const QString &title, const QString &prompt,
                                     const QString &initial, QWidget *parent) override;
    void message(const QString &text, QWidget *parent, MessageKind kind) override;
    Answer askYesNoCancel(const QString &text, QWidget *parent) override;
    Answer askYesNo(const QString &text, QWidget *parent) override;
    QStringList fontFamilies() override;

private:
    struct FileAnswer {
        std::optional<QString> path;
        int filterIndex;
    };
    bool answerFile(FileDialogState &state);
    QQueue<FileAnswer> files_;
    QQueue<std::optional<QColor>> colors_;
    QQueue<std::optional<QString>> inputs_;
    QQueue<Answer> answers_;
};

class ScriptedShell : public Shell {
public:
    ScriptedShell();
    ~ScriptedShell() override;
    bool result = true;     // what openFile reports
    QStringList opened;     // every path asked for
    bool openFile(const QString &path) override;
};
