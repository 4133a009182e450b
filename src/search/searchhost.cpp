#include "search/searchhost.h"

bool isOpenDocument(SearchHost &host, const TSubForm *doc)
{
    if (!doc)
        return false;
    const QList<TSubForm *> docs = host.documentsLeastRecentFirst();
    return docs.contains(const_cast<TSubForm *>(doc));
}
