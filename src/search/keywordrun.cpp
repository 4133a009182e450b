#include "search/keywordrun.h"

#include "search/keywords.h"

#include <QCoreApplication>

namespace search {

void runKeywordScan(KeywordScan &scan, const std::function<void(int)> &progress, const bool &stop)
{
    QCoreApplication::processEvents();
    while (!scan.step(15)) {
        progress(scan.progressPercent());
        QCoreApplication::processEvents();
        if (stop)
            scan.cancel();
    }
}

} // namespace search
