#pragma once
// A text area shown on screen at a given width, with its text laid out.
#include "documents/memo.h"

#include <QCoreApplication>

struct ShownMemo {
    TMemo memo;
    explicit ShownMemo(const QString &text, bool wrap = false, int width = 400)
    {
        memo.setWrap(wrap);
        memo.resize(width, 300);
        memo.setText(text);
        memo.show();
        QCoreApplication::processEvents();
    }
};
