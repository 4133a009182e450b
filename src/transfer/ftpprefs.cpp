#include "transfer/ftpprefs.h"

#include "platform/dialogs.h"
#include "platform/windowcentre.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

TFTPPrefs::TFTPPrefs(Store store, QWidget *parent)
    : QDialog(parent, Qt::Tool), store_(std::move(store))
{
    setObjectName(QStringLiteral("FTPPrefs"));
    setWindowTitle(QStringLiteral("FTP Preferences"));
    setFixedSize(495, 196);

    auto *label = new QLabel(QStringLiteral("FTP Server Details"), this);
    label->setGeometry(8, 6, 300, 18);

    // Five grid rows: the fixed header row, then one row per table entry.
    StringGrid1 = new QTableWidget(transfer::kFtpEntries, 3, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(8, 26, 479, 128);
    StringGrid1->setHorizontalHeaderLabels(
        {QStringLiteral("FTP Server"), QStringLiteral("FTP Username"), QStringLiteral("FTP Password")});
    StringGrid1->verticalHeader()->hide();
    // The style's row height leaves the fourth row half hidden without scroll
    // bars: share the grid's height between the header and the four rows.
    const int rowsHeight = StringGrid1->height() - 2 * StringGrid1->frameWidth()
                         - StringGrid1->horizontalHeader()->sizeHint().height();
    StringGrid1->verticalHeader()->setMinimumSectionSize(1);
    StringGrid1->verticalHeader()->setDefaultSectionSize(rowsHeight / transfer::kFtpEntries);
    StringGrid1->setColumnWidth(0, 219);
    StringGrid1->setColumnWidth(1, 129);
    StringGrid1->setColumnWidth(2, 120);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int r = 0; r < transfer::kFtpEntries; ++r)
        for (int c = 0; c < 3; ++c)
            StringGrid1->setItem(r, c, new QTableWidgetItem);

    SpeedButton1 = new QPushButton(QStringLiteral("&Cancel"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(8, 162, 100, 27);
    SpeedButton2 = new QPushButton(QStringLiteral("&Keep"), this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setGeometry(387, 162, 100, 27);
    SpeedButton2->setAutoDefault(false);
    KeyringBox = new QCheckBox(QStringLiteral("Keep passwords in the desktop keyring"), this);
    KeyringBox->setObjectName(QStringLiteral("KeyringBox"));
    KeyringBox->setGeometry(118, 164, 262, 24);
    SpeedButton1->setAutoDefault(false);
    connect(SpeedButton1, &QPushButton::clicked, this, &TFTPPrefs::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFTPPrefs::SpeedButton2Click);
    centreOnOwnerWhenShown(this);
}

void TFTPPrefs::setCell(int row, int column, const QString &text)
{
    StringGrid1->item(row - 1, column)->setText(text);
}

QString TFTPPrefs::cell(int row, int column) const
{
    return StringGrid1->item(row - 1, column)->text();
}

void TFTPPrefs::FormShow(const transfer::FtpServerTable &table)
{
    for (int r = 1; r <= transfer::kFtpEntries; ++r) {
        const transfer::FtpServerEntry &e = table[size_t(r - 1)];
        setCell(r, 0, e.Server);
        setCell(r, 1, e.UserName);
        setCell(r, 2, e.Password);
    }
}

void TFTPPrefs::SpeedButton1Click()
{
    reject();
}

void TFTPPrefs::SpeedButton2Click()
{
    // Keep pressed through its shortcut leaves the cell being typed in open,
    // its text not yet in the grid.
    if (QWidget *editor = QApplication::focusWidget(); editor && StringGrid1->isAncestorOf(editor))
        emit StringGrid1->itemDelegate()->commitData(editor);
    QList<transfer::FtpGridRow> rows;
    for (int r = 1; r <= transfer::kFtpEntries; ++r)
        rows << transfer::FtpGridRow{cell(r, 0), cell(r, 1), cell(r, 2)};
    const std::optional<QStringList> lines = transfer::linesToKeep(rows);
    if (!lines) {
        dialogs().message(QStringLiteral("Incomplete details."), this);
        return;
    }
    if (const Result stored = store_(*lines); !stored) {
        dialogs().error(stored.message, this);
        return;
    }
    accept();
}
