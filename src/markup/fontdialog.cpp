#include "markup/fontdialog.h"

#include "widgets/colourswatch.h"
#include "widgets/spinfield.h"
#include "markup/textformat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The face counts only when it is an item of the list; a typed text is ignored.
markup::FontFace chosenFace(const QComboBox *box)
{
    const int i = box->currentIndex();
    if (i < 0 || box->itemText(i) != box->currentText())
        return markup::FontFace::NoFace;
    return static_cast<markup::FontFace>(i);
}

}

THtmlFont::THtmlFont(QWidget *parent)
    // The tag stays after an opening closed without Apply or Cancel, as
    // every choice does.
    : FragmentDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint, Opening::KeepResult)
{
    setWindowTitle(QStringLiteral("Set Font"));

    CheckBox1 = new QCheckBox(this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Label1 = new QLabel(QStringLiteral("Name"), this);
    Fontfacebox = new QComboBox(this);
    Fontfacebox->setObjectName(QStringLiteral("Fontfacebox"));
    Fontfacebox->setEditable(true);
    Fontfacebox->setInsertPolicy(QComboBox::NoInsert);
    Fontfacebox->addItems({QStringLiteral("Serif"), QStringLiteral("Sans Serif"),
                           QStringLiteral("Monospace")});
    Fontfacebox->setCurrentIndex(-1);
    Fontfacebox->setMinimumWidth(130);

    CheckBox2 = new QCheckBox(this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    Label2 = new QLabel(QStringLiteral("Size"), this);
    Fontsize = new SpinField(this);
    Fontsize->setObjectName(QStringLiteral("Fontsize"));
    Fontsize->setLimits(1, 7);
    Fontsize->setFieldValue(3);

    CheckBox3 = new QCheckBox(this);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    Label3 = new QLabel(QStringLiteral("Colour"), this);
    fontcol = new ColourSwatch(this);
    fontcol->setObjectName(QStringLiteral("fontcol"));

    std::tie(CancelBtn, ApplyBtn) = makeButtons(QStringLiteral("&Cancel"), QStringLiteral("&Apply"));
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    ApplyBtn->setObjectName(QStringLiteral("ApplyBtn"));

    auto *grid = new QGridLayout;
    grid->addWidget(CheckBox1, 0, 0);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(Fontfacebox, 0, 2);
    grid->addWidget(CheckBox2, 1, 0);
    grid->addWidget(Label2, 1, 1);
    grid->addWidget(Fontsize, 1, 2, Qt::AlignLeft);
    grid->addWidget(CheckBox3, 2, 0);
    grid->addWidget(Label3, 2, 1);
    grid->addWidget(fontcol, 2, 2, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    auto *main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(buttonRow());

    // Each value is offered only while its box is ticked.
    for (auto [box, control] : {std::pair<QCheckBox *, QWidget *>{CheckBox1, Fontfacebox},
                                {CheckBox2, Fontsize}}) {
        control->setEnabled(false);
        connect(box, &QCheckBox::toggled, control, &QWidget::setEnabled);
    }
    fontcol->followCheckBox(CheckBox3);

    adjustSize();
}

std::optional<QString> THtmlFont::buildFragment()
{
    markup::FontValues v;
    v.useFace = CheckBox1->isChecked();
    v.face = chosenFace(Fontfacebox);
    v.useSize = CheckBox2->isChecked();
    v.size = Fontsize->fieldValue();
    v.useColour = CheckBox3->isChecked();
    v.colour = fontcol->fill();
    return markup::fontTag(v);
}
