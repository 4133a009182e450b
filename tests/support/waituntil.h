#pragma once
// Lets the event loop run until a condition holds or the time is up.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

inline bool waitUntil(const std::function<bool()> &done, int ms = 20000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}
