#include "markup/emaildialog.h"

#include "markup/linkmedia.h"
#include "widgets/windowplacing.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TemailBox::TemailBox(QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setWindowTitle(QStringLiteral("Insert email"));
    Label1 = new QLabel(QStringLiteral("Email address"), this);
    Edit1 = new QLineEdit(this);
    Label2 = new QLabel(QStringLiteral("Subject"), this);
    Edit2 = new QLineEdit(this);
    Label3 = new QLabel(QStringLiteral("Description"), this);
    Edit3 = new QLineEdit(this);
    SpeedButton1 = dialogButton(QStringLiteral("&Cancel"), this);
    SpeedButton2 = dialogButton(QStringLiteral("&Apply"), this);

    layOutFieldDialog(this, {{Label1, Edit1}, {Label2, Edit2}, {Label3, Edit3}}, SpeedButton1, SpeedButton2);

    connect(SpeedButton1, &QPushButton::clicked, this, &TemailBox::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TemailBox::SpeedButton2Click);
}

void TemailBox::showEvent(QShowEvent *event)
{
    FragmentText.clear();
    Edit3->setText(selection_);
    centreOnOwner(this);
    QDialog::showEvent(event);
}

void TemailBox::SpeedButton1Click()
{
    FragmentText.clear();
    reject();
}

void TemailBox::SpeedButton2Click()
{
    FragmentText = markup::emailLink({Edit1->text(), Edit2->text(), Edit3->text()});
    accept();
}
