// Program entry: start-up in a fixed order so the settings are read before
// any other window exists, the splash is shown while the rest is created,
// and the main window opens maximized.
#include "app/logo.h"
#include "app/mainwindow.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstring>

namespace {

void printUsage()
{
    std::puts("Usage: mivor [FILE...]\n"
              "An editor for hand-written HTML and plain text.\n\n"
              "All arguments are joined with single blanks into one path, so a path\n"
              "with spaces needs no quotes. .htm/.html and other files open as text;\n"
              "an .rtf file opens as a new untitled document holding its plain text.\n\n"
              "  --help       show this text and exit\n"
              "  --version    show the version and exit");
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("Mivor 2.0");
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mivor 2.0"));
    QApplication::setApplicationDisplayName(QStringLiteral("Mivor 2.0"));

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    TMainForm mainForm(args);

    mainForm.logo = new Tlogo(&mainForm);
    mainForm.logo->exec();
    QCoreApplication::processEvents();

    // Without a window manager "maximized" means nothing, so fill the screen first.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        mainForm.setGeometry(screen->availableGeometry());
    mainForm.showMaximized();
    // The command-line file opens at the first activation; a desktop without
    // a window manager may never activate the window, so ask once anyway.
    QTimer::singleShot(0, &mainForm, [&mainForm] { mainForm.FormActivate(); });
    return app.exec();
}
