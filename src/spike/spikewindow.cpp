#include "spike/spikewindow.h"

#include "spike/spikeclips.h"
#include "platform/windowcentre.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton *makeButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    // Enter in the list must not press a button behind the user's back.
    b->setAutoDefault(false);
    return b;
}

} // namespace

TSpike::TSpike(InsertFragmentFn insertFragment, QWidget *parent)
    : QDialog(parent, Qt::Tool), insertFragment_(std::move(insertFragment))
{
    setObjectName(QStringLiteral("Spike"));
    setWindowTitle(QStringLiteral("Spike"));

    SpikeList = new QListWidget(this);
    SpikeList->setObjectName(QStringLiteral("SpikeList"));
    SpikeList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // A clip is markup; cutting it short with an ellipsis would hide what
    // gets inserted, so long clips scroll sideways instead.
    SpikeList->setTextElideMode(Qt::ElideNone);
    SpikeList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    DeleteBtn = makeButton(QStringLiteral("Delete"), "DeleteBtn", this);
    InsertBtn = makeButton(QStringLiteral("Insert"), "InsertBtn", this);
    CloseBtn = makeButton(QStringLiteral("Close"), "CloseBtn", this);
    DeleteBtn->setEnabled(false);
    InsertBtn->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DeleteBtn);
    buttons->addStretch();
    buttons->addWidget(InsertBtn);
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    auto *main = new QVBoxLayout(this);
    main->addWidget(SpikeList, 1);
    main->addLayout(buttons);
    resize(322, 335);

    connect(SpikeList, &QListWidget::itemSelectionChanged, this, &TSpike::SpikeListClick);
    connect(SpikeList, &QListWidget::itemDoubleClicked, this, &TSpike::SpikeListDblClick);
    connect(InsertBtn, &QPushButton::clicked, this, &TSpike::InsertBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TSpike::DeleteBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TSpike::CloseBtnClick);
    // Where the user moves it, it stays while the program runs.
    centreOnOwnerWhenShown(this, true);
}

void TSpike::CopyToSpike(const QString &selectionText)
{
    const QStringList added = spike::splitIntoClips(selectionText);
    if (added.isEmpty())
        return;
    SpikeList->addItems(added);
    SpikeList->scrollToBottom();
    emit clipsChanged();
}

QStringList TSpike::clips() const
{
    QStringList all;
    all.reserve(SpikeList->count());
    for (int i = 0; i < SpikeList->count(); ++i)
        all << SpikeList->item(i)->text();
    return all;
}

void TSpike::setClips(const QStringList &clips)
{
    SpikeList->clear();
    SpikeList->addItems(clips);
    SpikeListClick();
}

std::optional<QString> TSpike::PickClips()
{
    // A window already on screen cannot turn modal; show it afresh.
    const bool wasOpen = isVisible();
    if (wasOpen)
        hide();
    SpikePickMode = true;
    PickedText.clear();
    const int result = exec();
    SpikePickMode = false;
    if (wasOpen)
        show();
    if (result != QDialog::Accepted)
        return std::nullopt;
    return PickedText;
}

QList<int> TSpike::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : SpikeList->selectionModel()->selectedIndexes())
        rows << index.row();
    return rows;
}

void TSpike::SpikeListClick()
{
    const spike::ButtonState state = spike::buttonsFor(int(selectedRows().size()));
    DeleteBtn->setEnabled(state.deleteEnabled);
    InsertBtn->setEnabled(state.insertEnabled);
}

void TSpike::SpikeListDblClick(QListWidgetItem *item)
{
    if (item)
        InsertBtnClick();
}

void TSpike::InsertBtnClick()
{
    const QList<int> rows = selectedRows();
    // Nothing selected would replace the document's selection with nothing.
    if (rows.isEmpty())
        return;
    const QString text = spike::insertText(clips(), rows);
    if (SpikePickMode) {
        PickedText = text;
        accept();
        return;
    }
    if (insertFragment_)
        insertFragment_(text);
}

void TSpike::DeleteBtnClick()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    const int firstRow = *std::min_element(rows.cbegin(), rows.cend());
    setClips(spike::withoutRows(clips(), rows));
    if (SpikeList->count() > 0)
        SpikeList->scrollToItem(SpikeList->item(std::min(firstRow, SpikeList->count() - 1)));
    emit clipsChanged();
}

void TSpike::CloseBtnClick()
{
    reject();
}

void TSpike::FormShow()
{
    // Each opening starts with nothing selected, so Delete and Insert wait
    // for the user's choice.
    SpikeList->clearSelection();
    SpikeListClick();
}

void TSpike::showEvent(QShowEvent *event)
{
    // Coming back from minimized is not a new opening.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}
