#pragma once
// The dialogs and tool windows of the main window. Each is made once, on
// first need (start-up makes them in two groups, before and after the
// splash), and reused so that it keeps its state between uses; the table
// editor alone is discarded after the user has closed it.
#include <QString>
#include <functional>

class QWidget;
class SearchHost;
struct MivorSettings;
class TNewHtml;
class THtmlFont;
class TemailBox;
class THeadline;
class Tmarqueebox;
class TListForm;
class TFormForm;
class TFrameset;
class TFramez;
class TParabox;
class THrLineBox;
class TAnchorBox;
class TPictureDialog;
class TJSEditor;
class TFinFiles;
class TresultsForm;
class TSpike;
class TFindForm;
class Thtmltabletemp;
class Tprefs;
class Tlogo;
class TGoToLine;

// What the tool windows are made with: their owner window, the open
// documents for the search windows, the editor's look for the script editor,
// the folder of the clips, and two ways back (a clip into the document, the
// results window shown or hidden).
struct ToolHost {
    QWidget *owner = nullptr;
    SearchHost *search = nullptr;
    const MivorSettings *settings = nullptr;
    QString programFolder;
    std::function<void(const QString &fragment)> insertFragment;
    std::function<void(bool shown)> resultsShown;
};

struct ToolWindows {
    ToolHost host;

    TNewHtml *NewHtml = nullptr;
    THtmlFont *HtmlFont = nullptr;
    TemailBox *emailBox = nullptr;
    THeadline *Headline = nullptr;
    Tmarqueebox *marqueebox = nullptr;
    TListForm *ListForm = nullptr;
    TFormForm *FormForm = nullptr;
    TFrameset *Frameset = nullptr;
    TFramez *Framez = nullptr;
    TParabox *Parabox = nullptr;
    THrLineBox *HrLineBox = nullptr;
    TAnchorBox *AnchorBox = nullptr;
    TPictureDialog *PictureDialog = nullptr;
    TJSEditor *JSEditor = nullptr;
    TFinFiles *FinFiles = nullptr;
    TresultsForm *resultsForm = nullptr;
    TSpike *Spike = nullptr;
    TFindForm *FindForm = nullptr;
    Thtmltabletemp *TableEditor = nullptr;
    Tprefs *prefs = nullptr;
    Tlogo *logo = nullptr;
    TGoToLine *goToLine = nullptr;

    // Search windows, the spike (with its clips read from the program's
    // folder), the picture dialog and the script editor.
    void createTools();
    void createBeforeSplash();
    void createAfterSplash();
    Tprefs *preferences();
    Tlogo *about();
    TGoToLine *goToLineDialog();
};
