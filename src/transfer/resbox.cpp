#include "transfer/resbox.h"

#include "platform/dialogs.h"
#include "platform/windowcentre.h"
#include "transfer/ftplogic.h"
#include "transfer/ftpout.h"
#include "transfer/ftpsession.h"
#include "transfer/imagerefs.h"
#include "transfer/transferrunner.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

TResBox::TResBox(transfer::FtpSession &session, TFTPOUT &ftpDialog,
                 std::function<int(QDialog *)> &showModal, QWidget *parent)
    : QDialog(parent), session_(session), ftp_(ftpDialog), showModal_(showModal)
{
    setObjectName(QStringLiteral("ResBox"));
    setWindowTitle(QStringLiteral("IMG Resources"));
    setFixedSize(317, 229);

    IMGList = new QListWidget(this);
    IMGList->setObjectName(QStringLiteral("IMGList"));
    IMGList->setGeometry(0, 0, 317, 161);
    IMGList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QPalette pal = IMGList->palette();
    pal.setColor(QPalette::Base, QColor(255, 251, 240));
    IMGList->setPalette(pal);
    QFont bold = IMGList->font();
    bold.setBold(true);
    IMGList->setFont(bold);

    PB1 = new QProgressBar(this);
    PB1->setObjectName(QStringLiteral("PB1"));
    PB1->setGeometry(8, 168, 301, 16);
    PB1->setRange(0, 100);
    PB1->setTextVisible(false);

    CloseBtn = new QPushButton(QStringLiteral("Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setGeometry(8, 194, 90, 27);
    SpeedButton1 = new QPushButton(QStringLiteral("Upload"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(219, 194, 90, 27);
    CloseBtn->setAutoDefault(false);
    SpeedButton1->setAutoDefault(false);
    connect(CloseBtn, &QPushButton::clicked, this, &TResBox::CloseBtnClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &TResBox::SpeedButton1Click);
    centreOnOwnerWhenShown(this);
}

void TResBox::setReferences(const QStringList &references, const QString &pageFolder)
{
    pageFolder_ = pageFolder;
    IMGList->clear();
    for (const QString &reference : references) {
        const transfer::ReferenceTarget target = transfer::resolveReference(reference, pageFolder);
        auto *item = new QListWidgetItem(IMGList);
        item->setData(Qt::UserRole, reference);
        if (target.allowed()) {
            item->setText(reference);
            continue;
        }
        item->setText(QStringLiteral("%1  (refused: %2)").arg(reference, target.refusal));
        item->setFlags(item->flags() & ~Qt::ItemIsSelectable);
        item->setForeground(IMGList->palette().color(QPalette::Disabled, QPalette::Text));
        item->setToolTip(target.refusal);
    }
}

QString TResBox::referenceOf(const QListWidgetItem *item)
{
    return item->data(Qt::UserRole).toString();
}

void TResBox::FormShow()
{
    PB1->setValue(0);
}

void TResBox::CloseBtnClick()
{
    reject();
}

void TResBox::reject()
{
    // The upload under way reports into this window.
    if (!uploading_)
        QDialog::reject();
}

void TResBox::SpeedButton1Click()
{
    // Events run while each file is sent, a press of Upload among them.
    if (uploading_)
        return;
    if (IMGList->selectedItems().isEmpty()) {
        dialogs().message(QStringLiteral("No images selected"), this);
        return;
    }
    // The resources window stays up under the upload dialog: hiding a modal
    // window would end its own modal loop.
    ftp_.Edit1->setEnabled(false);
    ftp_.ImageMode = true;
    const int answer = showModal_(&ftp_);
    ftp_.Edit1->setEnabled(true);
    ftp_.ImageMode = false;
    if (answer != QDialog::Accepted) {
        session_.closeHandles();
        return;
    }
    // Drawn by the event loop that runs while the first file is sent.
    setWindowTitle(QStringLiteral("IMG Resource - Uploading..."));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    uploading_ = true;

    const QString target = transfer::FolderPart(ftp_.UploadPath);
    const int count = IMGList->count();
    // A single entry would make the bar a busy indicator; keep a real range.
    PB1->setRange(0, std::max(1, count - 1));
    PB1->setValue(0);
    transfer::InternetClient &client = session_.client;
    for (int i = 0; i < count; ++i) {
        QListWidgetItem *item = IMGList->item(i);
        if (item->isSelected() && (item->flags() & Qt::ItemIsSelectable)) {
            const QString reference = referenceOf(item);
            // Looked at again now: a link may have been planted since the list was made.
            const transfer::ReferenceTarget file = transfer::resolveReference(reference, pageFolder_);
            const QString remote = target + file.remoteName;
            bool sent = false;
            transfer::runInBackground(this, QStringLiteral("Uploading %1...").arg(reference), client, [&] {
                sent = file.allowed() && client.putFile(file.localFile, remote);
            });
            const QString failure =
                file.allowed() ? client.lastError() : reference + QStringLiteral(": ") + file.refusal;
            if (!sent && client.lastFailure() == transfer::InternetClient::Failure::Cancelled) {
                dialogs().error(transfer::withReason(QStringLiteral("Failed to upload file."), failure), this);
                break;   // the user stopped the upload, not just this file
            }
            if (!sent)
                dialogs().error(transfer::withReason(QStringLiteral("Failed to upload file."), failure), this);
        }
        PB1->setValue(std::min(i + 1, PB1->maximum()));
    }
    uploading_ = false;
    QApplication::restoreOverrideCursor();
    dialogs().message(QStringLiteral("Image upload complete"), this);
    setWindowTitle(QStringLiteral("IMG Resource"));
    session_.closeHandles();
}
