#pragma once
// The one road by which every fragment enters a document: the selection (or
// nothing, at the caret) is replaced by the fragment as one undoable edit,
// the caret ends after it with nothing selected, and the document is marked
// modified, firing its change handling. The clipboard is not touched.
#include <QString>

class TMemo;

void InsertFragment(TMemo &memo, const QString &text);
