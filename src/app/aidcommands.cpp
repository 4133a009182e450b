// The writing aids' part of the main window: each document window gets its
// aids, and "Go to Matching Tag" asks the current one's.
#include "app/mainwindow.h"

#include "documents/memo.h"
#include "documents/subform.h"
#include "htmlaid/htmlaids.h"

void TMainForm::attachWritingAids(TSubForm *doc)
{
    if (!aids_)
        return;
    htmlaid::HtmlAids *aids = aids_->attach(doc->Memo1);
    // A new caption may make a page of a text file or the other way round.
    connect(doc, &QWidget::windowTitleChanged, aids, &htmlaid::HtmlAids::kindChanged);
}

void TMainForm::GoToMatchingTag1Click()
{
    if (!CurrentDoc)
        return;
    if (htmlaid::HtmlAids *aids = htmlaid::HtmlAids::of(CurrentDoc->Memo1))
        aids->goToMatchingTag();
}
