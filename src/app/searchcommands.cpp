#include "app/searchcommands.h"

#include "app/commandhost.h"
#include "app/commandstate.h"
#include "app/toolwindows.h"
#include "documents/gotoline.h"
#include "documents/gotolinedialog.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "htmlaid/htmlaids.h"
#include "platform/dialogs.h"
#include "search/findform.h"
#include "search/findinfiles.h"
#include "search/findinfilesform.h"
#include "search/htmlcheck.h"
#include "search/resultsform.h"

SearchCommands::SearchCommands(CommandHost &host, ToolWindows &tools) : host_(host), tools_(tools) {}

void SearchCommands::bind(CommandState &state)
{
    using commands::Id;
    state.bind(Id::Find, [this] { Find1Click(); });
    state.bind(Id::FindInFiles, [this] { FindinFiles1Click(); });
    state.bind(Id::Replace, [this] { Replace1Click(); });
    state.bind(Id::FindNext, [this] { FindNext1Click(); });
    state.bind(Id::CheckHtml, [this] { CheckHtml1Click(); });
    state.bind(Id::GoToLine, [this] { GoToLine1Click(); });
    state.bind(Id::MatchingTag, [this] { GoToMatchingTag1Click(); });
    state.bind(Id::ShowSearchResults, [this] { ShowSearchResults1Click(); });
}

void SearchCommands::Find1Click()
{
    tools_.createTools();
    tools_.FindForm->Find1Click();
}

void SearchCommands::Replace1Click()
{
    tools_.createTools();
    tools_.FindForm->Replace1Click();
}

void SearchCommands::FindinFiles1Click()
{
    tools_.createTools();
    host_.runModal(tools_.FinFiles);
}

void SearchCommands::FindNext1Click()
{
    tools_.createTools();
    tools_.FindForm->FindNextInCurrent();
}

void SearchCommands::GoToLine1Click()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc)
        return;
    TMemo *memo = doc->Memo1;
    // Row numbers as the gutter shows them: with wrapping on, the rows of
    // the whole page must be known first (the user may cancel that wait).
    if (!memo->finishWrapping())
        return;
    const int rows = memo->lineCount();
    TGoToLine *dialog = tools_.goToLineDialog();
    dialog->FormShow(rows, doc->CaretLine());
    if (host_.runModal(dialog) != QDialog::Accepted || !host_.isOpen(doc))
        return;
    const gotoline::RowChoice choice = gotoline::readRow(dialog->typed(), rows);
    if (!choice.ok) {
        dialogs().error(choice.message, host_.frame());
        return;
    }
    memo->goToRow(choice.row);
    memo->setFocus();
    doc->Memo1MouseUp();
}

void SearchCommands::GoToMatchingTag1Click()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc)
        return;
    if (htmlaid::HtmlAids *aids = htmlaid::HtmlAids::of(doc->Memo1))
        aids->goToMatchingTag();
}

void SearchCommands::CheckHtml1Click()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc)
        return;
    tools_.createTools();
    TMemo *memo = doc->Memo1;
    const search::HtmlCheck check = search::checkHtml(memo->text());
    if (!check.refusal.isEmpty()) {
        dialogs().error(check.refusal, host_.frame());
        return;
    }
    if (!tools_.resultsForm->AddHtmlCheck(check, search::fileNamePart(doc->caption()), memo))
        return;
    tools_.resultsForm->show();
    tools_.resultsForm->raise();
}

void SearchCommands::ShowSearchResults1Click()
{
    tools_.createTools();
    if (tools_.resultsForm->isVisible())
        tools_.resultsForm->hide();
    else
        tools_.resultsForm->show();
}
