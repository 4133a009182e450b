#pragma once
#include <QString>

// Opens a file with the program the desktop associates with it (the web
// browser for pages). Tests install a double that records the paths.
class Shell {
public:
    virtual ~Shell() = default;
    // True when the desktop accepted the request.
    virtual bool openFile(const QString &path) = 0;
};

Shell &shell();
void setShell(Shell *replacement);
