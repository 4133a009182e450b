#pragma once
// The dialogs and tool windows of the main window. Each is made once, on
// first need (start-up makes them in two groups, before and after the
// splash), and reused so that it keeps its state between uses; the table
// editor alone is discarded after the user has closed it.
class QWidget;
class TMainForm;
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

struct ToolWindows {
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
    void createTools(TMainForm &owner);
    void createBeforeSplash(TMainForm &owner);
    void createAfterSplash(QWidget *owner);
    Tprefs *preferences(QWidget *owner);
    Tlogo *about(QWidget *owner);
    TGoToLine *goToLineDialog(QWidget *owner);
};
