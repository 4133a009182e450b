// Entry point of the tests that need a real window manager: stacking and
// activation are decided by it, and the offscreen platform has none. The
// binary starts its own Xvfb on a free display and openbox on it, runs the
// tests there through the xcb platform, and stops both afterwards.
#include "desktop/desktop.h"
#include "platform/version.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

bool listingOnly(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return true;
    return false;
}

// Xvfb picks a free display itself and writes its number to stdout.
bool startServer(QProcess &xvfb, QByteArray &display)
{
    xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                        QStringLiteral("-screen"), QStringLiteral("0"),
                                        QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                        QStringLiteral("tcp")});
    if (!xvfb.waitForStarted(10000))
        return false;
    QByteArray out;
    while (!out.contains('\n') && xvfb.waitForReadyRead(10000))
        out += xvfb.readAllStandardOutput();
    display = ':' + out.trimmed();
    return out.contains('\n');
}

bool windowManagerRunning()
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
    xprop.waitForFinished(5000);
    return xprop.readAllStandardOutput().contains("window id");
}

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (listingOnly(argc, argv))
        return RUN_ALL_TESTS();

    QProcess xvfb;
    QByteArray display;
    if (!startServer(xvfb, display)) {
        std::fprintf(stderr, "cannot start Xvfb (scripts/install-deps.sh installs it)\n");
        return 1;
    }
    qputenv("DISPLAY", display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    QProcess openbox;
    openbox.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    bool managed = openbox.waitForStarted(10000);
    // A loaded machine (the sanitizer run beside other builds) can take many
    // seconds before the window manager claims the screen.
    for (int i = 0; managed && i < 300 && !windowManagerRunning(); ++i)
        QThread::msleep(100);
    if (!managed || !windowManagerRunning()) {
        std::fprintf(stderr, managed ? "openbox did not take the screen within 30 s\n"
                                     : "cannot start openbox (scripts/install-deps.sh installs it)\n");
        xvfb.kill();
        xvfb.waitForFinished();
        return 1;
    }

    int result;
    {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Mivor " MIVOR_VERSION));
        result = RUN_ALL_TESTS();
    }
    openbox.terminate();
    openbox.waitForFinished(5000);
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    return result;
}
