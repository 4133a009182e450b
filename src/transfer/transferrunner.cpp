#include "transfer/transferrunner.h"

#include "transfer/internetclient.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QScreen>
#include <QThread>
#include <QTimer>

namespace transfer {

int progressDelayMs = 400;

namespace {

// Centred over its window the box would hide what that window reports (the
// list of files being sent): it goes just below the window when the screen
// has room there. A fixed size spares it the window manager's resize grips.
void placeBelow(QProgressDialog &box, QWidget *parent)
{
    box.setFixedSize(box.sizeHint());
    if (!parent)
        return;
    const QRect owner = parent->window()->frameGeometry();
    const QScreen *screen = parent->window()->screen();
    if (!screen)
        return;
    const QRect spot(QPoint(owner.center().x() - box.width() / 2, owner.bottom() + 8),
                     box.size() + QSize(0, 40));   // room for the title bar
    if (screen->availableGeometry().contains(spot))
        box.move(spot.topLeft());
}

} // namespace

void runInBackground(QWidget *parent, const QString &label, InternetClient &client,
                     const std::function<void()> &work)
{
    QThread *thread = QThread::create(work);
    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);

    QProgressDialog box(label, QStringLiteral("&Cancel"), 0, 0, parent);
    box.setWindowTitle(QStringLiteral("Transfer"));
    box.setWindowModality(Qt::ApplicationModal);
    box.setMinimumDuration(24 * 3600 * 1000);   // shown by the tick below instead
    box.setAutoClose(false);
    box.setAutoReset(false);
    box.hide();
    bool cancelled = false;
    QObject::connect(&box, &QProgressDialog::canceled, &box, [&] {
        cancelled = true;
        client.cancel();
        box.setLabelText(QStringLiteral("Cancelling..."));
    });

    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &box, [&] {
        if (!box.isVisible() && clock.elapsed() >= progressDelayMs && !cancelled) {
            placeBelow(box, parent);
            box.show();
        }
        const qint64 total = client.progressTotal();
        const qint64 done = client.progressDone();
        if (total > 0) {
            box.setMaximum(1000);
            box.setValue(int(std::min<qint64>(1000, done * 1000 / total)));
        }
    });
    tick.start(50);

    thread->start();
    if (!thread->isFinished())
        loop.exec();
    thread->wait();
    delete thread;
    tick.stop();
    box.hide();
}

} // namespace transfer
