// Feeds arbitrary bytes to the table file reader. Inputs shorter than a table
// file are tried twice: as they are (they must be refused) and laid over a
// valid new table's image (see fuzzsupport.h), so that short inputs also
// reach the field decoding, the restoring of the model and the HTML
// generation.
#include "fuzzsupport.h"
#include "table/tablefile.h"
#include "table/tablehtml.h"
#include "table/tablemodel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace table;

namespace {

void exercise(const QByteArray &bytes, bool encodeAgain)
{
    TableModel model;
    if (!loadTableBytes(model, bytes))
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
        // One buffer for every run: a table image is large, and allocating
        // it afresh each time costs more than the work under test.
        static QByteArray laid;
        fuzzsupport::layOverTable(data, size, laid);
        exercise(laid, false);
    }
    return 0;
}
