#pragma once
// Reading and using the Search Results window as the user does.
#include "search/resultsform.h"

#include <QAbstractItemModel>
#include <QListView>
#include <QStringList>
#include <QTest>

inline QStringList resultLines(const TresultsForm &results)
{
    QStringList out;
    const QAbstractItemModel *model = results.ListBox1->model();
    for (int i = 0; i < model->rowCount(); ++i)
        out.append(model->index(i, 0).data().toString());
    return out;
}

// A double click on the row as the user gives it.
inline void doubleClickResult(TresultsForm &results, int row)
{
    results.show();
    QListView *list = results.ListBox1;
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QPoint at = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}
