#pragma once
// What the benchmarks share: the 20 MB page and the way a key is timed.
#include "documents/memo.h"

#include <QByteArray>
#include <QCoreApplication>

namespace {

constexpr int kBigLines = 407461;

// Every 20th line has accented words; 7 lines in 20 carry a link, so the
// word "link" is found on about 143k lines.
QByteArray makeBigPageOf(int lines)
{
    QByteArray out;
    out.reserve(qsizetype(lines) * 52);
    for (int n = 0; n < lines; ++n) {
        switch (n % 20) {
        case 0:
            out += "<P>Caf\xc3\xa9 cr\xc3\xa8me na\xc3\xafve \xe2\x80\x94 r\xc3\xa9sum\xc3\xa9 ";
            break;
        case 1: case 4: case 7: case 10: case 13: case 16: case 19:
            out += "<P>A <A HREF=\"p.htm\">link</A> ";
            break;
        default:
            out += "<P>Paragraph <B>bold</B> text ";
        }
        out += QByteArray::number(n);
        // One line in 16 is long enough to wrap into three screen lines.
        if (n % 16 == 3)
            out += " and a sentence that goes on and on, long enough to be wrapped over more"
                   " than one screen line in a window of ordinary width, as text often is";
        out += "</P>\r\n";
    }
    return out;
}

QByteArray makeBigPage()
{
    return makeBigPageOf(kBigLines);
}

double ms(qint64 ns)
{
    return double(ns) / 1e6;
}

// Lets the events of a key run and the text area paint.
void settle(TMemo *memo)
{
    QCoreApplication::processEvents();
    memo->repaint();
    QCoreApplication::processEvents();
}

} // namespace
