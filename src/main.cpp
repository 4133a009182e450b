// Program entry: start-up in a fixed order so the settings are read before
// any other window exists, the splash is shown while the rest is created,
// and the main window opens maximized. Two shell options print the HTML of
// a table or form file without opening a window.
#include "app/mainwindow.h"
#include "app/startoptions.h"
#include "formmaker/formfile.h"
#include "htmlaid/htmldata.h"
#include "platform/appfolder.h"
#include "platform/version.h"
#include "preview/helppage.h"
#include "table/tablefile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstring>

namespace {

void printUsage()
{
    std::puts("Usage: mivor [--no-splash] [FILE...]\n"
              "       mivor [--no-splash] --files FILE...\n"
              "       mivor --table-html FILE.mtb\n"
              "       mivor --form-html FILE.mff\n"
              "An editor for hand-written HTML and plain text.\n\n"
              "All arguments are joined with single blanks into one path, so a path\n"
              "with spaces needs no quotes. .htm/.html and other files open as text;\n"
              "an .rtf file opens as a new untitled document holding its plain text.\n\n"
              "  --table-html FILE  print the HTML the table editor inserts for FILE\n"
              "  --form-html FILE   print the HTML the form maker inserts for FILE\n"
              "  --no-splash        start without the 4-second splash window\n"
              "  --files            open every argument as a file of its own\n"
              "  --help             show this text and exit\n"
              "  --version          show the version and exit");
}

// Where the shipped help page, word list and HTML names were found: the installed
// share/mivor folder, or the source tree's resources when run from a build.
void printDataFolder(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("\nHelp page: %s%s\n", dataFolder().toLocal8Bit().constData(), helppage::kName);
    // The writing aids' names, read from the same folder.
    const htmlaid::HtmlData &names = htmlaid::HtmlData::shipped();
    std::printf("HTML names: %s%s (%d elements, %d references)\n", dataFolder().toLocal8Bit().constData(),
                htmlaid::kDataFileName, int(names.elements().size()), int(names.entities().size()));
}

// Prints the HTML of a table or form file; 0 on success, 1 with the
// message on standard error when the file cannot be read.
int printFileHtml(int argc, char **argv, bool table)
{
    if (argc != 3) {
        std::fputs(table ? "mivor: --table-html takes one file\n" : "mivor: --form-html takes one file\n",
                   stderr);
        return 2;
    }
    QCoreApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[2]);
    QString html;
    const Result read = table ? table::tableHtmlFromFile(path, html) : formHtmlFromFile(path, html);
    if (!read) {
        std::fprintf(stderr, "%s\n", read.message.toLocal8Bit().constData());
        return 1;
    }
    const QByteArray out = html.toUtf8();
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--table-html") == 0)
        return printFileHtml(argc, argv, true);
    if (argc >= 2 && std::strcmp(argv[1], "--form-html") == 0)
        return printFileHtml(argc, argv, false);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printUsage();
            printDataFolder(argc, argv);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            // The version on the first line, for scripts that read it, and
            // the licence below it.
            std::puts("Mivor " MIVOR_VERSION "\n"
                      "License GPL-3.0-or-later: GNU GPL version 3 or later "
                      "<https://gnu.org/licenses/gpl.html>.\n"
                      "This is free software: you are free to change and redistribute it.\n"
                      "There is NO WARRANTY, to the extent permitted by law.");
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mivor " MIVOR_VERSION));
    // The same picture the desktop entry shows, installed in its sizes.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/mivor.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("mivor"));
    // No display name: the platform would add it to every window's title,
    // which cuts the titles of the small tool windows.

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const StartOptions options = parseStartOptions(args);
    // The main window first: it reads the settings before any other window exists.
    TMainForm mainForm(options.fileArguments);
    mainForm.setEachArgumentAFile(options.eachArgumentAFile);
    mainForm.startUp(splashAtStart(options, mainForm.addedOptions().showSplash));

    // Without a window manager "maximized" means nothing, so fill the screen first.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        mainForm.setGeometry(screen->availableGeometry());
    mainForm.showMaximized();
    // The command-line file opens at the first activation; a desktop without
    // a window manager may never activate the window, so ask once anyway.
    QTimer::singleShot(0, &mainForm, [&mainForm] { mainForm.FormActivate(); });
    return app.exec();
}
