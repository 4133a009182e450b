#include "widgets/radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString &caption, const QStringList &items, int columns,
                       QWidget *parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this))
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items[i], this);
        group_->addButton(b, i);
        grid->addWidget(b, i / columns, i % columns);
    }
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index < 0 || index >= count()) {
        // An exclusive group will not let its last button go; lift that briefly.
        if (QAbstractButton *b = group_->checkedButton()) {
            group_->setExclusive(false);
            b->setChecked(false);
            group_->setExclusive(true);
        }
        return;
    }
    group_->button(index)->setChecked(true);
}

QRadioButton *RadioGroup::button(int index) const
{
    return static_cast<QRadioButton *>(group_->button(index));
}

int RadioGroup::count() const
{
    return int(group_->buttons().size());
}
