#include "search/keywordrun.h"

#include "search/keywords.h"

#include <QEventLoop>
#include <QTimer>

namespace search {

void runKeywordScan(KeywordScan &scan, const std::function<void(int)> &progress, const bool &stop)
{
    // One slice per timer tick; between ticks the loop delivers whatever is
    // pending (repaints, the Cancel press), with nothing spinning in between.
    QEventLoop loop;
    QTimer slice;
    slice.setInterval(0);
    QObject::connect(&slice, &QTimer::timeout, &loop, [&] {
        if (stop)
            scan.cancel();
        if (scan.step(15)) {
            slice.stop();
            loop.quit();
            return;
        }
        progress(scan.progressPercent());
    });
    slice.start();
    loop.exec();
}

} // namespace search
