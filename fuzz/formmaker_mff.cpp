// Feeds arbitrary bytes to the form file reader. A file it accepts must show
// in the form maker, generate its HTML, and survive a write and a second read
// unchanged.
#include "formmaker/formfile.h"
#include "formmaker/formhtml.h"
#include "formmaker/formmodel.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace formmaker;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    FormFileData form;
    if (!decodeFormFile(bytes, form))
        return 0;

    FormModel model;
    model.FormShow();
    model.openForm(form.LastIndex, form.Elements, form.ElementOptions);
    model.LastBtnClick();
    model.EditBtnClick();
    model.postbtnClick();
    model.DeleteBtnClick();

    const QString html = buildFormHtml(form.settings, form.Elements, form.ElementOptions,
                                       form.LastIndex);
    const QByteArray again = encodeFormFile(form);
    FormFileData back;
    if (!decodeFormFile(again, back) || !(back.settings == form.settings)
        || back.LastIndex != form.LastIndex || back.Elements != form.Elements
        || back.ElementOptions != form.ElementOptions
        || buildFormHtml(back.settings, back.Elements, back.ElementOptions, back.LastIndex) != html)
        abort();
    return 0;
}
