#include "search/findinfilesform.h"

#include "documents/subform.h"
#include "platform/dialogs.h"
#include "platform/windowcentre.h"
#include "search/findinfiles.h"
#include "search/matcher.h"
#include "search/resultsform.h"
#include "search/searchhost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFinFiles::TFinFiles(SearchHost &host, TresultsForm &results, QWidget *parent)
    : QDialog(parent), host_(host), results_(results)
{
    setObjectName(QStringLiteral("FinFiles"));
    setWindowTitle(QStringLiteral("Find in Files"));
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Find What?"), this);
    Label1->setGeometry(10, 8, 200, 18);
    FindWhat = new QComboBox(this);
    FindWhat->setObjectName(QStringLiteral("FindWhat"));
    FindWhat->setEditable(true);
    // The list is filled by the search itself, repeats included.
    FindWhat->setInsertPolicy(QComboBox::NoInsert);
    // Inline completion would turn what was typed into an earlier text, in
    // another case too; the search is for exactly what was typed.
    FindWhat->setCompleter(nullptr);
    FindWhat->setGeometry(10, 28, 210, 28);
    Label1->setBuddy(FindWhat);

    casebox = new QCheckBox(QStringLiteral("Match Case"), this);
    casebox->setLayoutDirection(Qt::RightToLeft);
    casebox->setChecked(true);
    casebox->setGeometry(10, 66, 110, 22);
    wholebox = new QCheckBox(QStringLiteral("Whole Word"), this);
    wholebox->setLayoutDirection(Qt::RightToLeft);
    wholebox->setGeometry(10, 94, 110, 22);
    // Its box under the buttons' right edge.
    regexbox = new QCheckBox(QStringLiteral("Regular expression"), this);
    regexbox->setObjectName(QStringLiteral("regexbox"));
    regexbox->setLayoutDirection(Qt::RightToLeft);
    regexbox->setGeometry(124, 94, 200, 22);

    SearchBtn = new QPushButton(QStringLiteral("&Search"), this);
    SearchBtn->setGeometry(234, 28, 90, 28);
    SearchBtn->setAutoDefault(false);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setGeometry(234, 64, 90, 28);
    CancelBtn->setAutoDefault(false);

    connect(SearchBtn, &QPushButton::clicked, this, &TFinFiles::SearchBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TFinFiles::CancelBtnClick);
    FindWhat->installEventFilter(this);
    FindWhat->lineEdit()->installEventFilter(this);

    step_.setSingleShot(true);
    step_.setInterval(0);
    connect(&step_, &QTimer::timeout, this, &TFinFiles::searchNext);

    setFixedSize(334, 127);
    centreOnOwnerWhenShown(this);
}

void TFinFiles::SearchBtnClick()
{
    if (searching_)
        return;
    Run run;
    run.text = FindWhat->currentText();
    run.whole = wholebox->isChecked();
    run.matchCase = casebox->isChecked();
    run.regex = regexbox->isChecked();
    if (run.regex) {
        // An expression that does not parse searches nothing; the dialog
        // stays for it to be mended.
        const search::Matcher matcher(run.text, {run.matchCase, run.whole, true});
        if (!matcher.valid()) {
            dialogs().error(matcher.errorMessage(), this);
            return;
        }
    }
    FindWhat->addItem(run.text);
    FindWhat->setEditText(run.text);
    for (TSubForm *doc : host_.documentsLeastRecentFirst())
        run.documents.append(doc);
    run_ = std::move(run);
    searching_ = true;
    step_.start();
}

void TFinFiles::searchNext()
{
    if (!searching_)
        return;
    while (!run_.documents.isEmpty()) {
        const QPointer<TSubForm> doc = run_.documents.takeFirst();
        if (!isOpenDocument(host_, doc))
            continue;
        host_.bringToFront(doc);
        // Bringing it up runs events of its own: a Cancel may come there.
        if (!searching_)
            return;
        run_.searchedAny = true;
        // Cancelling the wait for a page's wrap stops the whole search.
        if (!results_.AddHits(run_.text, search::fileNamePart(doc->caption()), run_.matchCase, run_.whole,
                              doc->Memo1, run_.regex))
            run_.documents.clear();
        // That wait may have closed the dialog and so ended the search.
        if (!searching_)
            return;
        if (!run_.documents.isEmpty()) {
            step_.start();
            return;
        }
    }
    stopSearch(false);
    accept();
    emit searchFinished();
}

void TFinFiles::stopSearch(bool cancelled)
{
    step_.stop();
    searching_ = false;
    const bool searchedAny = run_.searchedAny;
    run_ = {};
    // A cancelled search still shows what it found in the documents it got to.
    if (!cancelled || searchedAny) {
        results_.show();
        results_.raise();
    }
}

void TFinFiles::CancelBtnClick()
{
    reject();
}

void TFinFiles::reject()
{
    const bool wasSearching = searching_;
    if (wasSearching)
        stopSearch(true);
    QDialog::reject();
    if (wasSearching)
        emit searchFinished();
}

bool TFinFiles::FormKeyPress(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SearchBtnClick();
        return true;
    case Qt::Key_Escape:
        CancelBtnClick();
        return true;
    default:
        return false;
    }
}

bool TFinFiles::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && FormKeyPress(static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TFinFiles::keyPressEvent(QKeyEvent *event)
{
    if (!FormKeyPress(event))
        QDialog::keyPressEvent(event);
}
