#include "widgets/windowplacing.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

QPushButton *dialogButton(const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

void layOutFieldDialog(QDialog *dialog, std::initializer_list<std::pair<QLabel *, QWidget *>> rows,
                       QPushButton *cancel, QPushButton *apply)
{
    auto *grid = new QGridLayout;
    int row = 0;
    for (const auto &[label, field] : rows) {
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    }
    grid->setColumnMinimumWidth(1, 220);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(apply);
    auto *main = new QVBoxLayout(dialog);
    main->addLayout(grid);
    main->addLayout(buttons);
}
