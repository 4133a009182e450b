#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

class DesktopShell : public Shell {
public:
    bool openFile(const QString &path) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

Shell *installed = nullptr;

} // namespace

Shell &shell()
{
    static DesktopShell real;
    return installed ? *installed : real;
}

void setShell(Shell *replacement)
{
    installed = replacement;
}
