#pragma once
// Plain text of a rich-text file: the document's characters without any
// formatting, paragraphs as lines (CR LF). Damaged input gives whatever text
// could be recovered; it never fails.
#include <QByteArray>
#include <QString>

QString rtfToText(const QByteArray &rtf);
