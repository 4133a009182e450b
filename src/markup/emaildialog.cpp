#include "markup/emaildialog.h"

#include "markup/linkmedia.h"
#include "widgets/windowplacing.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TemailBox::TemailBox(QWidget *parent)
    : FragmentDialog(parent, Qt::Tool)
{
    setWindowTitle(QStringLiteral("Insert email"));
    Label1 = new QLabel(QStringLiteral("Email address"), this);
    Edit1 = new QLineEdit(this);
    Label2 = new QLabel(QStringLiteral("Subject"), this);
    Edit2 = new QLineEdit(this);
    Label3 = new QLabel(QStringLiteral("Description"), this);
    Edit3 = new QLineEdit(this);
    std::tie(SpeedButton1, SpeedButton2) = makeButtons(QStringLiteral("&Cancel"), QStringLiteral("&Apply"));

    layOutFieldDialog(this, {{Label1, Edit1}, {Label2, Edit2}, {Label3, Edit3}}, SpeedButton1, SpeedButton2);
}

void TemailBox::FormShow()
{
    Edit3->setText(selection_);
}

std::optional<QString> TemailBox::buildFragment()
{
    return markup::emailLink({Edit1->text(), Edit2->text(), Edit3->text()});
}
