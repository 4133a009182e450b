#include "documents/highlighting.h"

#include "documents/filenames.h"

namespace names {

bool showsAsHtml(const QString &caption)
{
    if (caption.isEmpty() || caption.startsWith(QLatin1String("~Untiltled")))
        return true;
    const QString ext = extensionOf(caption).toLower();
    return ext == QLatin1String(".htm") || ext == QLatin1String(".html") || ext == QLatin1String(".shtml") ||
           ext == QLatin1String(".php");
}

} // namespace names
