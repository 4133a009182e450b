#include "markup/insert.h"

#include "documents/memo.h"

void InsertFragment(TMemo &memo, const QString &text)
{
    memo.replaceSelection(text);
    // An empty fragment over an empty selection changes no text, yet the
    // command still counts as an edit of the document.
    if (!memo.modified())
        memo.setModified(true);
}
