#include "markup/fragmentdialog.h"

#include "widgets/windowplacing.h"

#include <QHBoxLayout>
#include <QPushButton>

FragmentDialog::FragmentDialog(QWidget *parent, Qt::WindowFlags flags, Opening opening)
    : QDialog(parent, flags), opening_(opening)
{
}

std::pair<QPushButton *, QPushButton *> FragmentDialog::makeButtons(const QString &cancelCaption,
                                                                    const QString &applyCaption)
{
    cancel_ = dialogButton(cancelCaption, this);
    apply_ = dialogButton(applyCaption, this);
    connect(cancel_, &QPushButton::clicked, this, &FragmentDialog::cancel);
    connect(apply_, &QPushButton::clicked, this, &FragmentDialog::apply);
    return {cancel_, apply_};
}

QHBoxLayout *FragmentDialog::buttonRow() const
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel_);
    row->addWidget(apply_);
    return row;
}

void FragmentDialog::showEvent(QShowEvent *event)
{
    if (opening_ == Opening::ClearResult)
        FragmentText.clear();
    FormShow();
    centreOnOwner(this);
    QDialog::showEvent(event);
}

void FragmentDialog::apply()
{
    std::optional<QString> text = buildFragment();
    if (!text)
        return;
    FragmentText = std::move(*text);
    accept();
}

void FragmentDialog::cancel()
{
    FragmentText.clear();
    reject();
}
