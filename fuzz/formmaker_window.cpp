// Feeds form files to the form maker window's "Open Form", as the user opens
// them, on the offscreen platform. A file that opens must give through the
// window's "Apply" the same form text that the file logic gives for it.
#include "formmaker/formfile.h"
#include "formmaker/formform.h"
#include "fuzzsupport.h"

#include <QCoreApplication>

namespace {

void openThroughTheWindow(const uint8_t *data, size_t size)
{
    static const QString path = fuzzsupport::scratchFolder() + QStringLiteral("fuzz.mff");
    fuzzsupport::writeFile(path, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));

    fuzzsupport::FileAnswers answers;
    answers.file = path;
    setDialogs(&answers);
    {
        TFormForm window;
        window.FormShow();
        window.openbtnClick();
        QCoreApplication::processEvents();
        QString expected;
        const bool opens = formHtmlFromFile(path, expected).ok;
        if (opens != (answers.messages == 0))
            abort();
        if (opens) {
            window.ApplyBtnClick();
            if (answers.messages != 0 || window.FormHtml != expected)
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
    const QByteArray empty = formmaker::encodeFormFile({});
    openThroughTheWindow(reinterpret_cast<const uint8_t *>(empty.constData()), size_t(empty.size()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    openThroughTheWindow(data, size);
    return 0;
}
