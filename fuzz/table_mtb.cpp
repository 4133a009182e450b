// Feeds arbitrary bytes to the table file reader. Inputs shorter than a table
// file are tried twice: as they are (they must be refused) and laid over a
// valid new table's image, so that short inputs also reach the field
// decoding, the restoring of the model and the HTML generation.
#include "table/tablefile.h"
#include "table/tablehtml.h"
#include "table/tablemodel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace table;

namespace {

const QByteArray &baseImage()
{
    static const QByteArray image = [] {
        TableModel model;
        model.SetCellBtnClick();
        return encodeTableFile(model.properties(), model.cellStore());
    }();
    return image;
}

void exercise(const QByteArray &bytes, bool encodeAgain)
{
    TableModel model;
    QString error;
    if (!loadTableBytes(model, bytes, error))
        return;
    const QString html = buildTableHtml(model);
    if (html.isEmpty())
        __builtin_trap();
    if (encodeAgain && encodeTableFile(model.properties(), model.cellStore()).size() != TableFileSize)
        __builtin_trap();
    // Selecting every cell runs the span rules on whatever the file held.
    for (int c = 0; c < model.colCount(); ++c)
        for (int r = 0; r < model.rowCount(); ++r)
            model.selectCell(c, r);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), qsizetype(size));
    exercise(raw, true);
    if (size >= 2 && size < size_t(TableFileSize)) {
        // The first two bytes choose small counts so that the overlay is not
        // refused at once; the next 316 land on the rest of the properties,
        // then 296-byte pieces on the fixed fields of the cells of the top
        // left 4 x 4 corner, row by row.
        // One buffer for every run: a table image is large, and allocating
        // it afresh each time costs more than the work under test.
        static QByteArray laid = baseImage();
        std::memcpy(laid.data(), baseImage().constData(), size_t(TableFileSize));
        laid[0] = char(1 + data[0] % 20);
        laid[4] = char(1 + data[1] % 20);
        size_t at = 2;
        const size_t props = std::min<size_t>(size - at, TablePropertiesSize - 8);
        std::memcpy(laid.data() + 8, data + at, props);
        at += props;
        for (int k = 0; k < 16 && at < size; ++k) {
            const size_t piece = std::min<size_t>(size - at, 296);
            std::memcpy(laid.data() + cellRecordOffset(k % 4, k / 4), data + at, piece);
            at += piece;
        }
        exercise(laid, false);
    }
    return 0;
}
