// Feeds table files to the table editor window's "Load", as the user opens
// them, on the offscreen platform. Short inputs are laid over a new table's
// image (see fuzzsupport.h). A file that loads must give through the window
// the same table text that the file logic gives for it.
#include "fuzzsupport.h"
#include "table/tablewindow.h"

#include <QCoreApplication>

namespace {

void loadThroughTheWindow(const uint8_t *data, size_t size)
{
    static const QString path = fuzzsupport::scratchFolder() + QStringLiteral("fuzz.mtb");
    static QByteArray laid;
    if (size >= size_t(table::TableFileSize)) {
        fuzzsupport::writeFile(path, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    } else {
        fuzzsupport::layOverTable(data, size, laid);
        fuzzsupport::writeFile(path, laid);
    }

    fuzzsupport::FileAnswers answers;
    answers.file = path;
    setDialogs(&answers);
    {
        QString inserted;
        TableEditorHooks hooks;
        hooks.insertTable = [&inserted](const QString &html) {
            inserted = html;
            return true;
        };
        Thtmltabletemp window(hooks);
        window.show();
        window.OpenTableBtnClick();
        QCoreApplication::processEvents();
        QString expected;
        const bool loads = table::tableHtmlFromFile(path, expected).ok;
        // A refused file is reported. (A loaded one may still report a
        // background picture that cannot be shown.)
        if (!loads && answers.messages == 0)
            abort();
        if (loads) {
            const int before = answers.messages;
            window.ApplyBtnClick();
            if (answers.messages != before || inserted != expected)
                abort();
        }
    }
    setDialogs(nullptr);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzsupport::startOffscreenApplication();
    // The font library fills its caches the first time a window is shown;
    // that happens here, not during the first input, where it would read as
    // a leak.
    loadThroughTheWindow(nullptr, 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    loadThroughTheWindow(data, size);
    return 0;
}
