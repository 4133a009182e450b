#include "markup/anchordialog.h"

#include "markup/linkmedia.h"
#include "widgets/windowplacing.h"
#include "platform/dialogs.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

TAnchorBox::TAnchorBox(QWidget *parent)
    : FragmentDialog(parent, Qt::Tool)
{
    setWindowTitle(QStringLiteral("Anchor"));

    Label1 = new QLabel(QStringLiteral("URL"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Label2 = new QLabel(QStringLiteral("Target"), this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QStringLiteral("[none]"), QStringLiteral("_self"), QStringLiteral("_parent"),
                         QStringLiteral("_top"), QStringLiteral("_blank")});
    // The list opens as the user types.
    ComboBox1->completer()->setCompletionMode(QCompleter::PopupCompletion);
    // Watched before the completer itself, which would swallow a click
    // outside the open list.
    ComboBox1->completer()->popup()->installEventFilter(this);
    Label3 = new QLabel(QStringLiteral("Name"), this);
    Edit3 = new QLineEdit(this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Label4 = new QLabel(QStringLiteral("Description"), this);
    Edit4 = new QLineEdit(this);
    Edit4->setObjectName(QStringLiteral("Edit4"));
    std::tie(SpeedButton1, SpeedButton2) = makeButtons(QStringLiteral("&Cancel"), QStringLiteral("&Apply"));

    layOutFieldDialog(this, {{Label1, Edit1}, {Label2, ComboBox1}, {Label3, Edit3}, {Label4, Edit4}},
                      SpeedButton1, SpeedButton2);
}

bool TAnchorBox::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *list = ComboBox1->completer()->popup();
    if (watched == list && event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        const QPoint global = press->globalPosition().toPoint();
        if (!list->rect().contains(list->mapFromGlobal(global))) {
            // A click beside the open list closes it and still reaches the
            // control under it, so "Apply" works at the first click.
            list->hide();
            QWidget *target = QApplication::widgetAt(global);
            if (target && target->window() == this) {
                const QPointF local = target->mapFromGlobal(press->globalPosition());
                QMouseEvent replay(QEvent::MouseButtonPress, local, press->globalPosition(), press->button(),
                                   press->buttons(), press->modifiers());
                QCoreApplication::sendEvent(target, &replay);
                // The release went to the list's grab; a button gets the
                // whole click now.
                if (qobject_cast<QAbstractButton *>(target)) {
                    QMouseEvent release(QEvent::MouseButtonRelease, local, press->globalPosition(),
                                        press->button(), Qt::NoButton, press->modifiers());
                    QCoreApplication::sendEvent(target, &release);
                }
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAnchorBox::FormShow()
{
    Edit4->setText(selection_);
    Edit1->clear();
    Edit3->clear();
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());
}

std::optional<QString> TAnchorBox::buildFragment()
{
    const markup::AnchorResult r = markup::anchor(
        {Edit1->text(), ComboBox1->currentText(), Edit3->text(), Edit4->text()});
    if (!r.message.isEmpty()) {
        dialogs().message(r.message, this);
        return std::nullopt;   // the entries stay for the user to complete
    }
    return r.text;
}
