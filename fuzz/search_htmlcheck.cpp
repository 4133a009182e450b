// Runs the HTML check over arbitrary pages: the checker library must neither
// crash nor hang on what the nesting estimate lets through, and every
// finding must point into the page. A finding outside it aborts.
#include "search/htmlcheck.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 256 * 1024)
        return 0;
    const QString page = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const search::HtmlCheck check = search::checkHtml(page);
    int last = 0;
    for (const search::HtmlFinding &f : check.findings) {
        if (f.offset < 0 || f.offset > page.size() || f.offset < last)
            std::abort();
        last = f.offset;
    }
    if (!check.refusal.isEmpty() && !check.findings.isEmpty())
        std::abort();
    return 0;
}
