#pragma once
// Shared pieces of the fuzz targets: a private scratch folder, a Dialogs
// double that answers the open dialog with a prepared file, the offscreen
// application the window targets need, and the layout by which a short
// input is laid over a whole table image.
#include "platform/dialogs.h"
#include "table/tablefile.h"
#include "table/tablemodel.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace fuzzsupport {

// A folder for the run's files, removed when the process ends. Ends in "/".
// In memory where the system offers it: the program syncs every file it
// saves, which on a disk would cost more than the work under test.
inline const QString &scratchFolder()
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/mivor-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/mivor-fuzz-XXXXXX"));
    static const QString path = dir.path() + QLatin1Char('/');
    return path;
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        abort();
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Window targets run on the offscreen platform, as the GUI tests do.
inline void startOffscreenApplication()
{
    static int argc = 1;
    static char name[] = "mivor-fuzz";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

// Every open dialog answers with `file`; every other question is cancelled.
class FileAnswers : public Dialogs {
public:
    QString file;
    int messages = 0;

    bool openFile(FileDialogState &state, QWidget *) override
    {
        state.fileName = file;
        return true;
    }
    bool saveFile(FileDialogState &, QWidget *) override { return false; }
    std::optional<QColor> chooseColor(const QColor &, QWidget *) override { return std::nullopt; }
    std::optional<QString> inputText(const QString &, const QString &, const QString &, QWidget *) override
    {
        return std::nullopt;
    }
    void message(const QString &, QWidget *, MessageKind) override { ++messages; }
    Answer askYesNoCancel(const QString &, QWidget *) override { return Answer::Cancel; }
    Answer askYesNo(const QString &, QWidget *) override { return Answer::No; }
    QStringList fontFamilies() override { return {QStringLiteral("Courier New")}; }
};

// A table image is 937924 bytes; inputs that short are laid over a valid new
// table instead: byte 0 and 1 give the column and row counts, the next 316
// bytes the rest of the properties, then 296-byte pieces the fixed fields of
// the cells of the top left 4 x 4 corner, row by row.
inline constexpr size_t TableCellPiece = 296;
inline constexpr int TableCornerCells = 16;

inline const QByteArray &newTableImage()
{
    static const QByteArray image = [] {
        table::TableModel model;
        model.SetCellBtnClick();
        return table::encodeTableFile(model.properties(), model.cellStore());
    }();
    return image;
}

inline void layOverTable(const uint8_t *data, size_t size, QByteArray &laid)
{
    using namespace table;
    if (laid.size() != TableFileSize)
        laid = newTableImage();
    std::memcpy(laid.data(), newTableImage().constData(), size_t(TableFileSize));
    if (size < 2)
        return;
    laid[0] = char(1 + data[0] % 20);
    laid[4] = char(1 + data[1] % 20);
    size_t at = 2;
    const size_t props = std::min<size_t>(size - at, TablePropertiesSize - 8);
    std::memcpy(laid.data() + 8, data + at, props);
    at += props;
    for (int k = 0; k < TableCornerCells && at < size; ++k) {
        const size_t piece = std::min<size_t>(size - at, TableCellPiece);
        std::memcpy(laid.data() + cellRecordOffset(k % 4, k / 4), data + at, piece);
        at += piece;
    }
}

} // namespace fuzzsupport
