#pragma once
// Runs a script in the page the preview pane shows and waits for its result.
#include "app/mainwindow.h"
#include "preview/browserpane.h"
#include "preview/webview.h"
#include "support/waituntil.h"

#include <QVariant>

inline QVariant evaluateInPane(TMainForm &w, const QString &script)
{
    WebView *view = w.previewPane()->view();
    if (!view)
        return {};
    bool done = false;
    QVariant result;
    view->runScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    waitUntil([&] { return done; });
    return result;
}
