#include "search/keywordrun.h"

namespace search {

KeywordRun::KeywordRun(const QString &text, const QStringList &ignoreList, QObject *parent)
    : QObject(parent), scan_(text, ignoreList)
{
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &KeywordRun::slice);
}

void KeywordRun::start()
{
    stop_ = false;
    timer_.start();
}

void KeywordRun::slice()
{
    if (stop_)
        scan_.cancel();
    if (scan_.step(15)) {
        timer_.stop();
        emit finished();
        return;
    }
    emit progress(scan_.progressPercent());
}

} // namespace search
