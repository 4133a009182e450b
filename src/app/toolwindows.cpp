#include "app/toolwindows.h"

#include "app/logo.h"
#include "app/prefsdialog.h"
#include "settings/settingsstore.h"
#include "platform/dialogs.h"
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

#include <QObject>

void ToolWindows::createTools()
{
    if (PictureDialog)
        return;
    QWidget *owner = host.owner;
    PictureDialog = new TPictureDialog(owner);
    const MivorSettings &s = *host.settings;
    EditorLook look{s.EditorFontName, s.EditorFontSize, s.EditorFontColor, s.EditorBackColor};
    JSEditor = new TJSEditor(look, owner);
    resultsForm = new TresultsForm(*host.search, owner);
    QObject::connect(resultsForm, &TresultsForm::shownChanged, owner, [this](bool shown) {
        if (host.resultsShown)
            host.resultsShown(shown);
    });
    FinFiles = new TFinFiles(*host.search, *resultsForm, owner);
    FindForm = new TFindForm(*host.search, owner);
    Spike = new TSpike(host.insertFragment, owner);
    const ResultOf<QStringList> clips = loadSpikeClips(host.programFolder);
    Spike->setClips(clips.value);
    if (!clips)
        dialogs().error(clips.message, owner);
    // Clips are saved as they change, so a crash does not lose them.
    TSpike *spike = Spike;
    const QString folder = host.programFolder;
    QObject::connect(Spike, &TSpike::clipsChanged, owner, [owner, spike, folder] {
        if (Result r = saveSpikeClips(folder, spike->clips()); !r)
            dialogs().error(r.message, owner);
    });
}

void ToolWindows::createBeforeSplash()
{
    createTools();
    if (NewHtml)
        return;
    QWidget *owner = host.owner;
    NewHtml = new TNewHtml(owner);
    HtmlFont = new THtmlFont(owner);
    emailBox = new TemailBox(owner);
    Headline = new THeadline(owner);
    marqueebox = new Tmarqueebox(HtmlFont, owner);
    ListForm = new TListForm(owner);
    FormForm = new TFormForm(owner);
    Frameset = new TFrameset(owner);
    Framez = new TFramez(owner);
    bindPageBackground(*NewHtml, *PictureDialog);
}

void ToolWindows::createAfterSplash()
{
    if (Parabox)
        return;
    QWidget *owner = host.owner;
    Parabox = new TParabox(owner);
    HrLineBox = new THrLineBox(owner);
    AnchorBox = new TAnchorBox(owner);
}

Tprefs *ToolWindows::preferences()
{
    if (!prefs)
        prefs = new Tprefs(host.owner);
    return prefs;
}

Tlogo *ToolWindows::about()
{
    if (!logo)
        logo = new Tlogo(host.owner);
    return logo;
}

TGoToLine *ToolWindows::goToLineDialog()
{
    if (!goToLine)
        goToLine = new TGoToLine(host.owner);
    return goToLine;
}
