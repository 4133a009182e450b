// Test entry point: a real QApplication on the offscreen platform, so window
// tests run without a display, and a private settings folder for the run.
#include "platform/version.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    // The user's own session bus is out of reach, so no test writes into the
    // user's keyring; the keyring tests bring a private one.
    if (!qEnvironmentVariableIsSet("MIVOR_TEST_KEYRING"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/mivor-test-bus");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mivor " MIVOR_VERSION));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
