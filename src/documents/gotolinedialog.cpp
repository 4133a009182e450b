#include "documents/gotolinedialog.h"

#include "documents/gotoline.h"
#include "platform/windowcentre.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

TGoToLine::TGoToLine(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GoToLine"));
    setWindowTitle(QStringLiteral("Go to Line"));
    setModal(true);

    Label1 = new QLabel(gotoline::prompt(1), this);
    LineEdit = new QLineEdit(this);
    LineEdit->setObjectName(QStringLiteral("LineEdit"));
    // Digits only (blanks around them are allowed); a row past the end is
    // still accepted and means the last one.
    LineEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral(" *[0-9]* *")), LineEdit));
    Label1->setBuddy(LineEdit);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setAutoDefault(false);
    GoBtn = new QPushButton(QStringLiteral("Go"), this);
    GoBtn->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(GoBtn);
    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(LineEdit, 1, 0);
    grid->addLayout(buttons, 2, 0);
    LineEdit->setMinimumWidth(220);

    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(GoBtn, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint());
    centreOnOwnerWhenShown(this);
}

void TGoToLine::FormShow(int rows, int caretRow)
{
    Label1->setText(gotoline::prompt(rows));
    LineEdit->setText(QString::number(caretRow));
    LineEdit->selectAll();
    LineEdit->setFocus();
}

QString TGoToLine::typed() const
{
    return LineEdit->text();
}
