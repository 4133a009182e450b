// Test entry point for the core tests: a QCoreApplication and nothing more,
// so a core test cannot lean on a window, a screen or a font database, and a
// private settings folder for the run.
#include "platform/version.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    // The user's own session bus is out of reach, so no test writes into the
    // user's keyring; the keyring tests bring a private one.
    if (!qEnvironmentVariableIsSet("MIVOR_TEST_KEYRING"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/mivor-test-bus");
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Mivor " MIVOR_VERSION));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
