#include "transfer/urlbox.h"

#include "platform/dialogs.h"
#include "platform/windowcentre.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TURLBox::TURLBox(FileDialogState &saveDialog, QWidget *parent) : QDialog(parent), saveDialog_(saveDialog)
{
    setObjectName(QStringLiteral("URLBox"));
    setWindowTitle(QStringLiteral("Download File"));
    setFixedSize(475, 98);

    auto *l1 = new QLabel(QStringLiteral("Enter Web Address"), this);
    l1->setGeometry(8, 4, 300, 18);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 22, 364, 24);
    auto *l2 = new QLabel(QStringLiteral("Save Locally As..."), this);
    l2->setGeometry(8, 50, 300, 18);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(8, 68, 332, 24);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("..."));
    SpeedButton1->setGeometry(344, 68, 28, 24);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(382, 20, 85, 27);
    GoBtn = new QPushButton(QStringLiteral("Go"), this);
    GoBtn->setObjectName(QStringLiteral("GoBtn"));
    GoBtn->setGeometry(382, 66, 85, 27);
    CancelBtn->setAutoDefault(false);
    GoBtn->setAutoDefault(false);

    connect(GoBtn, &QPushButton::clicked, this, &TURLBox::GoBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TURLBox::CancelBtnClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TURLBox::SpeedButton1Click);
    Edit1->installEventFilter(this);
    Edit2->installEventFilter(this);
    centreOnOwnerWhenShown(this);
}

void TURLBox::FormShow()
{
    Edit1->setText(QStringLiteral("http://www."));
    Edit2->clear();
    Url.clear();
    TargetFile.clear();
    Edit1->setFocus();
}

void TURLBox::GoBtnClick()
{
    if (Edit1->text().isEmpty()) {
        Edit1->setFocus();
        return;
    }
    if (Edit2->text().isEmpty()) {
        Edit2->setFocus();
        return;
    }
    Url = Edit1->text();
    TargetFile = Edit2->text();
    accept();
}

void TURLBox::CancelBtnClick()
{
    Url.clear();
    TargetFile.clear();
    QDialog::reject();
}

void TURLBox::reject()
{
    CancelBtnClick();
}

void TURLBox::SpeedButton1Click()
{
    if (dialogs().saveFile(saveDialog_, this)) {
        Edit2->setText(saveDialog_.fileName);
        TargetFile = saveDialog_.fileName;
    } else {
        Edit2->clear();
        TargetFile.clear();
    }
}

bool TURLBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == Edit1 || watched == Edit2)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GoBtnClick();
            return true;
        }
        if (key == Qt::Key_Escape) {
            CancelBtnClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
