#pragma once
// The tools: the spike, the table editor, pictures, scripts and the keyword
// META line with its ignore list. Each hands its work to the tool's own
// window or logic.
#include <QObject>
#include <QString>

class CommandHost;
class CommandState;
class DocumentCommands;
class TSubForm;
struct ToolWindows;
namespace search { class KeywordRun; }

class ToolCommands : public QObject {
public:
    ToolCommands(CommandHost &host, ToolWindows &tools, DocumentCommands &documents, const QString &programFolder,
                 QObject *parent);
    void bind(CommandState &state);

    bool tableEditorShown() const { return TableEditorShown; }
    bool tableEditorClosed() const { return TableEditorClosed; }
    bool keywordScanRunning() const { return keywordRun_ != nullptr; }

    void CopyToSpike1Click();
    void ShowSpike1Click();
    void Table1Click();
    void Image1Click();
    void Direct1Click();
    void FromFile1Click();
    void META1Click();
    void EditIgnoreList1Click();

private:
    QString documentFolder();
    // Into the current document; false when there is none.
    bool insertIntoCurrent(const QString &text);
    void finishKeywords(TSubForm *doc, const QString &text);

    CommandHost &host_;
    ToolWindows &tools_;
    DocumentCommands &documents_;
    QString programFolder_;
    bool TableEditorShown = false;
    bool TableEditorClosed = false;
    search::KeywordRun *keywordRun_ = nullptr;   // the keyword scan under way, if any
};
