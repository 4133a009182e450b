#include "app/toolwindows.h"

#include "app/logo.h"
#include "app/mainwindow.h"
#include "app/prefsdialog.h"
#include "documents/gotolinedialog.h"
#include "spike/spikestore.h"
#include "formmaker/formform.h"
#include "markup/anchordialog.h"
#include "markup/emaildialog.h"
#include "markup/fontdialog.h"
#include "markup/framedialogs.h"
#include "markup/headlinedialog.h"
#include "markup/hrlinedialog.h"
#include "markup/jseditor.h"
#include "markup/listdialog.h"
#include "markup/marqueedialog.h"
#include "markup/newpagedialog.h"
#include "markup/paragraphdialog.h"
#include "markup/picturedialog.h"
#include "search/findform.h"
#include "search/findinfilesform.h"
#include "search/resultsform.h"
#include "spike/spikewindow.h"

#include <QAction>

void ToolWindows::createTools(TMainForm &owner)
{
    if (PictureDialog)
        return;
    PictureDialog = new TPictureDialog(&owner);
    const MivorSettings &s = owner.appSettings();
    EditorLook look{s.EditorFontName, s.EditorFontSize, s.EditorFontColor, s.EditorBackColor};
    JSEditor = new TJSEditor(look, &owner);
    resultsForm = new TresultsForm(owner, &owner);
    QObject::connect(resultsForm, &TresultsForm::shownChanged, &owner, [&owner](bool shown) {
        owner.action(commands::Id::ShowSearchResults)->setChecked(shown);
    });
    FinFiles = new TFinFiles(owner, *resultsForm, &owner);
    FindForm = new TFindForm(owner, &owner);
    Spike = new TSpike([&owner](const QString &fragment) { owner.InsertFragment(fragment); }, &owner);
    const ResultOf<QStringList> clips = loadSpikeClips(owner.programFolder());
    Spike->setClips(clips.value);
    if (!clips)
        dialogs().error(clips.message, &owner);
    // Clips are saved as they change, so a crash does not lose them.
    TSpike *spike = Spike;
    QObject::connect(Spike, &TSpike::clipsChanged, &owner, [&owner, spike] {
        if (Result r = saveSpikeClips(owner.programFolder(), spike->clips()); !r)
            dialogs().error(r.message, &owner);
    });
}

void ToolWindows::createBeforeSplash(TMainForm &owner)
{
    createTools(owner);
    if (NewHtml)
        return;
    NewHtml = new TNewHtml(&owner);
    HtmlFont = new THtmlFont(&owner);
    emailBox = new TemailBox(&owner);
    Headline = new THeadline(&owner);
    marqueebox = new Tmarqueebox(HtmlFont, &owner);
    ListForm = new TListForm(&owner);
    FormForm = new TFormForm(&owner);
    Frameset = new TFrameset(&owner);
    Framez = new TFramez(&owner);
    bindPageBackground(*NewHtml, *PictureDialog);
}

void ToolWindows::createAfterSplash(QWidget *owner)
{
    if (Parabox)
        return;
    Parabox = new TParabox(owner);
    HrLineBox = new THrLineBox(owner);
    AnchorBox = new TAnchorBox(owner);
}

Tprefs *ToolWindows::preferences(QWidget *owner)
{
    if (!prefs)
        prefs = new Tprefs(owner);
    return prefs;
}

Tlogo *ToolWindows::about(QWidget *owner)
{
    if (!logo)
        logo = new Tlogo(owner);
    return logo;
}

TGoToLine *ToolWindows::goToLineDialog(QWidget *owner)
{
    if (!goToLine)
        goToLine = new TGoToLine(owner);
    return goToLine;
}
