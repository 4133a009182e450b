#pragma once
// A framed group of radio buttons laid out in columns, read and set by the
// index of the chosen item (-1 when none is chosen).
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString &caption, const QStringList &items, int columns,
               QWidget *parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton *button(int index) const;
    int count() const;

signals:
    // The user chose an item.
    void itemClicked(int index);

private:
    QButtonGroup *group_;
};
