#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

#include <QFileInfo>

ScriptedDialogs::ScriptedDialogs()
{
    setDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    setDialogs(nullptr);
    // A question nobody scripted got a made-up answer: the test went down a
    // road its author did not plan, so it fails here rather than passing on
    // the stand-in answer.
    if (!unansweredQuestions.isEmpty() && !allowUnansweredQuestions)
        ADD_FAILURE() << "question left unanswered by the test: "
                      << unansweredQuestions.join(QStringLiteral(" | ")).toStdString();
}

void ScriptedDialogs::queueFile(const std::optional<QString> &path, int filterIndex)
{
    files_.enqueue({path, filterIndex});
}

void ScriptedDialogs::queueColor(const std::optional<QColor> &color)
{
    colors_.enqueue(color);
}

void ScriptedDialogs::queueInput(const std::optional<QString> &text)
{
    inputs_.enqueue(text);
}

void ScriptedDialogs::queueAnswer(Answer answer)
{
    answers_.enqueue(answer);
}

bool ScriptedDialogs::answerFile(FileDialogState &state)
{
    fileDialogs << state;
    if (files_.isEmpty()) {
        ++unexpected;
        return false;
    }
    const FileAnswer a = files_.dequeue();
    if (!a.path)
        return false;
    if (a.filterIndex > 0)
        state.filterIndex = a.filterIndex;
    QString chosen = *a.path;
    // Like a real save dialog: a typed name without extension gets the default one.
    if (!state.defaultExt.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
        chosen += QLatin1Char('.') + state.defaultExt;
    state.fileName = chosen;
    state.folder = QFileInfo(chosen).absolutePath();
    return true;
}

bool ScriptedDialogs::openFile(FileDialogState &state, QWidget *)
{
    return answerFile(state);
}

bool ScriptedDialogs::saveFile(FileDialogState &state, QWidget *)
{
    return answerFile(state);
}

std::optional<QColor> ScriptedDialogs::chooseColor(const QColor &initial, QWidget *)
{
    colorDialogs << initial;
    if (colors_.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return colors_.dequeue();
}

std::optional<QString> ScriptedDialogs::inputText(const QString &, const QString &prompt,
                                                  const QString &, QWidget *)
{
    inputPrompts << prompt;
    if (inputs_.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return inputs_.dequeue();
}

void ScriptedDialogs::message(const QString &text, QWidget *, MessageKind kind)
{
    messages << text;
    if (kind == MessageKind::Error)
        errors << text;
}

Answer ScriptedDialogs::askYesNoCancel(const QString &text, QWidget *)
{
    questions << text;
    if (answers_.isEmpty()) {
        ++unexpected;
        unansweredQuestions << text;
        return Answer::Cancel;
    }
    return answers_.dequeue();
}

Answer ScriptedDialogs::askYesNo(const QString &text, QWidget *)
{
    questions << text;
    if (answers_.isEmpty()) {
        ++unexpected;
        unansweredQuestions << text;
        return Answer::No;
    }
    const Answer a = answers_.dequeue();
    return a == Answer::Yes ? Answer::Yes : Answer::No;
}

QStringList ScriptedDialogs::fontFamilies()
{
    return families;
}

ScriptedShell::ScriptedShell()
{
    setShell(this);
}

ScriptedShell::~ScriptedShell()
{
    setShell(nullptr);
}

bool ScriptedShell::openFile(const QString &path)
{
    opened << path;
    return result;
}
