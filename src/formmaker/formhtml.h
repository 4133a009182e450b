#pragma once
// The HTML FORM text built from the form-wide settings and the element list,
// and the preview page around it. Qt Core only.

#include "formmaker/formtypes.h"
#include "platform/result.h"

#include <QString>

namespace formmaker {

// "<FORM NAME=... METHOD=... ACTION=... onsubmit=... >" and its line end.
QString formHead(const FormSettings &settings);
// The submit and reset buttons, then "</FORM>" without a line end.
QString formTail(const FormSettings &settings);
// The text of one element.
QString ElementHtml(const TFormElement &element, const TElementOptions &options);
// Head, the elements 0 to lastIndex, tail.
QString buildFormHtml(const FormSettings &settings, const ElementList &elements,
                      const OptionLists &options, int lastIndex);

// The page the preview shows around a form text.
QString formPreviewPage(const QString &formText);
// Writes the preview page to `path`, replacing any file there. Fails with
// "Cannot create file <path>".
Result writeFormPreview(const QString &path, const QString &formText);

// The preview page's name, in the current directory.
inline QString previewFileName() { return QStringLiteral("formtemp.htm"); }

} // namespace formmaker
