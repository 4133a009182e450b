#include "markup/newpagedialog.h"

#include "widgets/colourswatch.h"
#include "markup/pagetemplate.h"
#include "widgets/windowplacing.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QCheckBox *colourBox(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = new QCheckBox(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
}

TNewHtml::TNewHtml(QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setWindowTitle(QStringLiteral("New HTML Doc"));

    Label1 = new QLabel(QStringLiteral("Title"), this);
    Edit1 = new QLineEdit(this);
    Label2 = new QLabel(QStringLiteral("Author"), this);
    Edit2 = new QLineEdit(this);
    textsel = colourBox(QStringLiteral("Text"), "textsel", this);
    Shape2 = new ColourSwatch(this, QSize(41, 21));
    linksel = colourBox(QStringLiteral("Link"), "linksel", this);
    Shape3 = new ColourSwatch(this, QSize(41, 21));
    vlinksel = colourBox(QStringLiteral("VLink"), "vlinksel", this);
    Shape4 = new ColourSwatch(this, QSize(41, 21));
    fixedBG = colourBox(QStringLiteral("Fixed Background"), "fixedBG", this);
    piclabel = new QLabel(this);
    piclabel->setObjectName(QStringLiteral("piclabel"));
    piclabel->setTextFormat(Qt::PlainText);   // an address is never markup
    piclabel->setMinimumWidth(97);
    piclabel->setMaximumWidth(110);
    Image1 = new QLabel(this);
    Image1->setFixedSize(97, 97);
    Image1->setFrameShape(QFrame::Box);
    Image1->setScaledContents(true);   // the preview is stretched to fit
    BGIBtn = dialogButton(QStringLiteral("BG Image"), this);
    bgset = colourBox(QStringLiteral("BGColor"), "bgset", this);
    Shape1 = new ColourSwatch(this, QSize(97, 41));
    CancelBtn = dialogButton(QStringLiteral("&Cancel"), this);
    ApplyBtn = dialogButton(QStringLiteral("&Apply"), this);

    Shape2->followCheckBox(textsel);
    Shape3->followCheckBox(linksel);
    Shape4->followCheckBox(vlinksel);
    Shape1->followCheckBox(bgset);

    auto *fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(Edit1, 0, 1);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(Edit2, 1, 1);

    auto *colours = new QGridLayout;
    colours->addWidget(textsel, 0, 0);
    colours->addWidget(Shape2, 0, 1);
    colours->addWidget(linksel, 1, 0);
    colours->addWidget(Shape3, 1, 1);
    colours->addWidget(vlinksel, 2, 0);
    colours->addWidget(Shape4, 2, 1);
    colours->addWidget(fixedBG, 3, 0, 1, 2);
    colours->addWidget(piclabel, 4, 0, 1, 2);
    colours->setRowStretch(5, 1);

    auto *picture = new QVBoxLayout;
    picture->addWidget(Image1);
    picture->addWidget(BGIBtn);
    picture->addWidget(bgset);
    picture->addWidget(Shape1);

    auto *middle = new QHBoxLayout;
    middle->addLayout(colours);
    middle->addLayout(picture);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelBtn);
    buttons->addWidget(ApplyBtn);
    auto *main = new QVBoxLayout(this);
    main->addLayout(fields);
    main->addLayout(middle);
    main->addStretch();
    main->addLayout(buttons);

    connect(BGIBtn, &QPushButton::clicked, this, &TNewHtml::BGIBtnClick);
    connect(ApplyBtn, &QPushButton::clicked, this, &TNewHtml::ApplyBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TNewHtml::CancelBtnClick);
    resize(QSize(224, 306).expandedTo(minimumSizeHint()));
}

void TNewHtml::showEvent(QShowEvent *event)
{
    centreOnOwner(this);
    QDialog::showEvent(event);
    if (!shownBefore_) {
        shownBefore_ = true;
        Edit1->setFocus();
    }
}

void TNewHtml::BGIBtnClick()
{
    if (!choosePicture)
        return;
    const std::optional<Background> chosen = choosePicture(DocumentFolder);
    if (!chosen)
        return;
    // The page refers to the new address even when its preview cannot be shown.
    piclabel->setText(chosen->imageRef);
    piclabel->setToolTip(chosen->imageRef);
    if (!chosen->preview.isNull()) {
        picture_ = chosen->preview;
        Image1->setPixmap(QPixmap::fromImage(picture_));
    }
}

void TNewHtml::ApplyBtnClick()
{
    markup::PageValues v;
    v.title = Edit1->text();
    v.author = Edit2->text();
    v.useBackgroundColour = bgset->isChecked();
    v.backgroundColour = Shape1->fill();
    v.backgroundImage = piclabel->text();
    v.useText = textsel->isChecked();
    v.text = Shape2->fill();
    v.useLink = linksel->isChecked();
    v.link = Shape3->fill();
    v.useVisitedLink = vlinksel->isChecked();
    v.visitedLink = Shape4->fill();
    v.fixedBackground = fixedBG->isChecked();
    PageText = markup::pageText(v);
    accept();
}

void TNewHtml::CancelBtnClick()
{
    PageText.clear();
    reject();
}
