#include "transfer/ftpout.h"

#include "platform/dialogs.h"
#include "platform/windowcentre.h"
#include "transfer/ftplogic.h"
#include "transfer/ftpsession.h"
#include "transfer/transferrunner.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace {

// The outer heights are the window's with its title bar; the client area is
// this much lower.
constexpr int kTitleBar = 24;

void styleLabel(QLabel *l)
{
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(255, 251, 240));
    l->setPalette(p);
}

} // namespace


TFTPOUT::TFTPOUT(transfer::FtpSession &session, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), session_(session)
{
    setObjectName(QStringLiteral("FTPOUT"));
    setWindowTitle(QStringLiteral("FTP Upload"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 192));
    setPalette(pal);
    setFixedWidth(469);
    setOuterHeight(360);

    Label1 = new QLabel(QStringLiteral("Upload File As:"), this);
    Label1->setGeometry(8, 8, 300, 18);
    styleLabel(Label1);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 28, 324, 24);
    GetDirBtn = new QToolButton(this);
    GetDirBtn->setObjectName(QStringLiteral("GetDirBtn"));
    GetDirBtn->setText(QStringLiteral("..."));
    GetDirBtn->setToolTip(QStringLiteral("Show folders"));
    GetDirBtn->setGeometry(336, 28, 28, 24);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(376, 8, 85, 27);
    ApplyBtn = new QPushButton(QStringLiteral("&Apply"), this);
    ApplyBtn->setObjectName(QStringLiteral("ApplyBtn"));
    ApplyBtn->setGeometry(376, 42, 85, 27);

    Label3 = new QLabel(QStringLiteral("Select Server"), this);
    Label3->setGeometry(8, 88, 300, 18);
    styleLabel(Label3);
    servercombo = new QComboBox(this);
    servercombo->setObjectName(QStringLiteral("servercombo"));
    servercombo->setGeometry(8, 108, 324, 24);
    // A choice, not a text: nothing connects while a name is being typed.
    servercombo->setEditable(false);
    SpeedButton8 = new QToolButton(this);
    SpeedButton8->setObjectName(QStringLiteral("SpeedButton8"));
    SpeedButton8->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    SpeedButton8->setToolTip(QStringLiteral("Create New Folder"));
    SpeedButton8->setGeometry(336, 108, 28, 24);

    Label2 = new QLabel(QStringLiteral("Select Folder"), this);
    Label2->setGeometry(8, 140, 300, 18);
    styleLabel(Label2);
    DList = new QListWidget(this);
    DList->setObjectName(QStringLiteral("DList"));
    DList->setGeometry(8, 160, 324, 168);
    DList->setSortingEnabled(true);
    QFont bold = DList->font();
    bold.setBold(true);
    DList->setFont(bold);
    SelectBtn = new QPushButton(QStringLiteral("&Select Folder"), this);
    SelectBtn->setObjectName(QStringLiteral("SelectBtn"));
    SelectBtn->setGeometry(344, 160, 117, 27);
    CloseUpBtn = new QPushButton(QStringLiteral("&Close Up"), this);
    CloseUpBtn->setObjectName(QStringLiteral("CloseUpBtn"));
    CloseUpBtn->setGeometry(344, 194, 117, 27);

    for (QPushButton *b : {CancelBtn, ApplyBtn, SelectBtn, CloseUpBtn})
        b->setAutoDefault(false);
    connect(GetDirBtn, &QToolButton::clicked, this, &TFTPOUT::GetDirBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TFTPOUT::CancelBtnClick);
    connect(ApplyBtn, &QPushButton::clicked, this, &TFTPOUT::ApplyBtnClick);
    connect(servercombo, &QComboBox::activated, this, &TFTPOUT::servercomboChange);
    connect(SpeedButton8, &QToolButton::clicked, this, &TFTPOUT::SpeedButton8Click);
    connect(DList, &QListWidget::itemDoubleClicked, this, &TFTPOUT::DListDblClick);
    connect(SelectBtn, &QPushButton::clicked, this, &TFTPOUT::SelectBtnClick);
    connect(CloseUpBtn, &QPushButton::clicked, this, &TFTPOUT::CloseUpBtnClick);
    centreOnOwnerWhenShown(this);
}

int TFTPOUT::outerHeight() const
{
    return height() + kTitleBar;
}

void TFTPOUT::setOuterHeight(int h)
{
    setFixedHeight(h - kTitleBar);
}

void TFTPOUT::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // Connecting waits for the window to be on screen, so the progress box
    // (if the server is slow) stands over it.
    QTimer::singleShot(0, this, &TFTPOUT::FormShow);
}

void TFTPOUT::FormShow()
{
    servercombo->clear();
    servercombo->addItems(transfer::offeredServers(session_.FtpServers));
    servercombo->setCurrentIndex(0);
    Edit1->setText(QStringLiteral("../"));
    if (!ImageMode)
        Edit1->setText(documentName);
    GetDirBtnClick();
}

void TFTPOUT::GetDirBtnClick()
{
    // Connecting lists the root folder already; a second listing would only
    // repeat its messages.
    servercomboChange();
}

void TFTPOUT::servercomboChange()
{
    session_.closeHandles();
    const int index = std::max(0, servercombo->currentIndex());
    const transfer::FtpServerEntry &e = session_.FtpServers[size_t(std::min(index, transfer::kFtpEntries - 1))];
    session_.FtpUser = e.UserName;
    session_.FtpPassword = e.Password;
    session_.FtpServer = e.Server;
    transfer::InternetClient &client = session_.client;
    client.open(transfer::agentName());
    if (!client.connect(session_.FtpServer, session_.FtpUser, session_.FtpPassword))
        dialogs().error(client.lastError(), this);
    ListServerFolder(QStringLiteral("/"));
}

void TFTPOUT::ListServerFolder(const QString &path)
{
    setOuterHeight(360);
    transfer::InternetClient &client = session_.client;
    bool changed = false;
    std::optional<QList<transfer::FolderEntry>> entries;
    QString certificateProblem, setFailure, listFailure;
    transfer::runInBackground(this, QStringLiteral("Reading server folders..."), client, [&] {
        changed = client.setCurrentFolder(path);
        if (!changed) {
            certificateProblem = client.actionableError();
            setFailure = client.lastError();
        }
        // Once the server refused the credentials or the certificate, asking
        // again only waits for the same answer.
        if (changed || client.lastFailure() == transfer::InternetClient::Failure::NotFound) {
            entries = client.list();
            if (!entries)
                listFailure = client.lastError();
        } else {
            listFailure = setFailure;
        }
    });
    if (!certificateProblem.isEmpty())
        dialogs().error(certificateProblem, this);
    if (!changed)
        dialogs().error(transfer::withReason(QStringLiteral("can not set directory"), setFailure), this);
    if (!entries)
        dialogs().error(transfer::withReason(QStringLiteral("Cannot read server folders."), listFailure), this);
    DList->clear();
    if (entries)
        DList->addItems(transfer::folderListItems(*entries));
}

void TFTPOUT::DListDblClick()
{
    QListWidgetItem *item = DList->currentItem();
    if (!item || !item->isSelected())
        return;
    ListServerFolder(item->text());
}

void TFTPOUT::SelectBtnClick()
{
    QListWidgetItem *item = DList->currentItem();
    if (!item || !item->isSelected()) {
        Edit1->setText(ImageMode ? QString() : documentName);
        return;
    }
    Edit1->setText(item->text() + (ImageMode ? QStringLiteral("/image_files")
                                             : QLatin1Char('/') + documentName));
    setOuterHeight(108);
}

void TFTPOUT::CloseUpBtnClick()
{
    setOuterHeight(102);
}

void TFTPOUT::SpeedButton8Click()
{
    const QString name = dialogs()
                             .inputText(QStringLiteral("Create New Folder"),
                                        QStringLiteral("Enter Folder Name"), QString(), this)
                             .value_or(QString());
    transfer::InternetClient &client = session_.client;
    bool made = false;
    QString folder, failure;
    transfer::runInBackground(this, QStringLiteral("Creating folder..."), client, [&] {
        made = !name.isEmpty() && client.createFolder(name);
        if (!made && !name.isEmpty())
            failure = client.lastError();
        folder = client.currentFolder();
    });
    dialogs().message(made ? QStringLiteral("New folder created.")
                           : transfer::withReason(QStringLiteral("Cannot create new folder."), failure),
                      this, made ? MessageKind::Information : MessageKind::Error);
    ListServerFolder(folder.isEmpty() ? QStringLiteral(".") : folder);
}

void TFTPOUT::ApplyBtnClick()
{
    if (Edit1->text().isEmpty()) {
        dialogs().message(QStringLiteral("No folder selected"), this);
        return;
    }
    UploadPath = Edit1->text();
    accept();
}

void TFTPOUT::CancelBtnClick()
{
    reject();
}
