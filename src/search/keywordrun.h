#pragma once
// Runs a keyword scan on the user-interface thread: in slices of about one
// frame, one per timer tick, so that between slices a progress bar moves and
// a Cancel press is heard at once. Nothing waits for the run: start() returns
// at once and finished() tells when the scan has ended.
#include "search/keywords.h"

#include <QObject>
#include <QTimer>

namespace search {

class KeywordRun : public QObject {
    Q_OBJECT
public:
    KeywordRun(const QString &text, const QStringList &ignoreList, QObject *parent = nullptr);

    void start();
    // Ends the scan at the next slice; the words counted so far are used.
    void cancel() { stop_ = true; }
    bool isRunning() const { return timer_.isActive(); }
    const KeywordScan &scan() const { return scan_; }

signals:
    void progress(int percent);
    void finished();

private:
    void slice();

    KeywordScan scan_;
    QTimer timer_;
    bool stop_ = false;
};

} // namespace search
