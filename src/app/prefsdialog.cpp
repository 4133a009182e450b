#include "app/prefsdialog.h"

#include "app/pagedefaults.h"
#include "widgets/colourswatch.h"
#include "widgets/spinfield.h"
#include "widgets/windowplacing.h"
#include "platform/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

namespace {
// The gap in this caption is where the minutes field lies.
const QString kAutosaveCaption = QStringLiteral("Autosave every                     minutes");
const QString kAutosaveLead = QStringLiteral("Autosave every ");
constexpr int kGapBlanks = 21;
} // namespace

Tprefs::Tprefs(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("prefs"));
    setWindowTitle(QStringLiteral("Set Page Defaults"));
    setFixedSize(260, 541);

    Label2 = new QLabel(QStringLiteral("Default Desktop Colour"), this);
    Label2->setGeometry(10, 12, 160, 20);
    DTColor = new ColourSwatch(this, QSize(69, 25));
    DTColor->setObjectName(QStringLiteral("DTColor"));
    DTColor->move(181, 9);

    Label1 = new QLabel(QStringLiteral("Window Background Colour"), this);
    Label1->setGeometry(10, 45, 168, 20);
    BGColor = new ColourSwatch(this, QSize(69, 25));
    BGColor->setObjectName(QStringLiteral("BGColor"));
    BGColor->move(181, 42);

    GroupBox1 = new QGroupBox(QStringLiteral(" Font "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 72, 244, 100);
    Label3 = new QLabel(QStringLiteral("Name"), GroupBox1);
    Label3->setGeometry(10, 27, 44, 20);
    FontBox = new QComboBox(GroupBox1);
    FontBox->setObjectName(QStringLiteral("FontBox"));
    FontBox->setEditable(true);
    FontBox->setInsertPolicy(QComboBox::NoInsert);
    FontBox->setGeometry(58, 24, 176, 26);
    Label4 = new QLabel(QStringLiteral("Size"), GroupBox1);
    Label4->setGeometry(10, 65, 44, 20);
    fontsize = new SpinField(GroupBox1);
    fontsize->setObjectName(QStringLiteral("fontsize"));
    fontsize->setLimits(kMinFontSize, kMaxFontSize);
    fontsize->setGeometry(58, 62, 62, 26);
    Label5 = new QLabel(QStringLiteral("Colour"), GroupBox1);
    Label5->setGeometry(128, 65, 50, 20);
    Fontcolor = new ColourSwatch(GroupBox1, QSize(50, 25));
    Fontcolor->setObjectName(QStringLiteral("Fontcolor"));
    Fontcolor->move(184, 62);

    wwrap = new QCheckBox(QStringLiteral("Word Wrap"), this);
    wwrap->setObjectName(QStringLiteral("wwrap"));
    wwrap->setGeometry(8, 178, 250, 22);
    savebak = new QCheckBox(QStringLiteral("Save .bak files"), this);
    savebak->setObjectName(QStringLiteral("savebak"));
    savebak->setGeometry(8, 202, 250, 22);
    autosave = new QCheckBox(kAutosaveCaption, this);
    autosave->setObjectName(QStringLiteral("autosave"));
    autosave->setGeometry(8, 226, 250, 26);

    // The minutes field covers the blanks of the caption, from just after
    // "every" to just before "minutes", whatever the interface font.
    const QFontMetrics fm(autosave->font());
    const int textLeft = autosave->x() + style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, autosave)
                       + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, autosave);
    const int gapLeft = textLeft + fm.horizontalAdvance(kAutosaveLead);
    const int gapWidth = fm.horizontalAdvance(QString(kGapBlanks - 1, QLatin1Char(' ')));
    autosavespin = new SpinField(this);
    autosavespin->setObjectName(QStringLiteral("autosavespin"));
    autosavespin->setLimits(kMinAutosaveMinutes, kMaxAutosaveMinutes);
    autosavespin->setGeometry(gapLeft, 226, std::max(44, gapWidth - 2), 26);
    autosavespin->raise();

    splash = new QCheckBox(QStringLiteral("Show splash at start-up"), this);
    splash->setObjectName(QStringLiteral("splash"));
    splash->setGeometry(8, 256, 250, 22);
    remoteContent = new QCheckBox(QStringLiteral("Load remote content in the preview"), this);
    remoteContent->setObjectName(QStringLiteral("remoteContent"));
    remoteContent->setGeometry(8, 280, 250, 22);
    currentLine = new QCheckBox(QStringLiteral("Highlight the current line"), this);
    currentLine->setObjectName(QStringLiteral("currentLine"));
    currentLine->setGeometry(8, 304, 250, 22);
    reopenDocuments = new QCheckBox(QStringLiteral("Reopen the documents open at exit"), this);
    reopenDocuments->setObjectName(QStringLiteral("reopenDocuments"));
    reopenDocuments->setGeometry(8, 328, 250, 22);

    aidsBox = new QGroupBox(QStringLiteral(" Writing aids "), this);
    aidsBox->setObjectName(QStringLiteral("aidsBox"));
    aidsBox->setGeometry(8, 354, 244, 148);
    auto aidBox = [this](const char *name, const char *caption, int y) {
        auto *box = new QCheckBox(QString::fromLatin1(caption), aidsBox);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(8, y, 232, 20);
        return box;
    };
    autoCloseTags = aidBox("autoCloseTags", "Close tags as they are typed", 20);
    matchTags = aidBox("matchTags", "Highlight matching tags", 40);
    completion = aidBox("completion", "Complete tags and entities", 60);
    spelling = aidBox("spelling", "Check spelling of pages", 80);
    spellPlainText = aidBox("spellPlainText", "Check spelling in plain text", 100);
    dictionaryLabel = new QLabel(QStringLiteral("Dictionary"), aidsBox);
    dictionaryLabel->setGeometry(10, 122, 70, 20);
    dictionary = new QComboBox(aidsBox);
    dictionary->setObjectName(QStringLiteral("dictionary"));
    dictionary->setGeometry(84, 120, 150, 24);

    CancelBtn = dialogButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(92, 508, 76, 26);
    DoneBtn = dialogButton(QStringLiteral("&Done"), this);
    DoneBtn->setObjectName(QStringLiteral("DoneBtn"));
    DoneBtn->setGeometry(176, 508, 76, 26);

    // The swatches open the shared chooser through their own handlers.
    for (ColourSwatch *s : {DTColor, BGColor, Fontcolor})
        s->setOpensChooser(false);
    connect(DTColor, &ColourSwatch::mousePressed, this, &Tprefs::DTColorMouseDown);
    connect(BGColor, &ColourSwatch::mousePressed, this, &Tprefs::BGColorMouseDown);
    connect(Fontcolor, &ColourSwatch::mousePressed, this, &Tprefs::FontcolorMouseDown);
    connect(CancelBtn, &QPushButton::clicked, this, &Tprefs::CancelBtnClick);
    connect(DoneBtn, &QPushButton::clicked, this, &Tprefs::DoneBtnClick);

    FormCreate();
}

void Tprefs::FormCreate()
{
    families_ = dialogs().fontFamilies();
    FontBox->addItems(families_);
}

void Tprefs::showEvent(QShowEvent *event)
{
    centreOnOwner(this);
    QDialog::showEvent(event);
}

void Tprefs::FormShow(const MivorSettings &current)
{
    DTColor->setFill(current.DesktopColor);
    BGColor->setFill(current.EditorBackColor);
    Fontcolor->setFill(current.EditorFontColor);
    FontBox->setCurrentText(current.EditorFontName);
    fontsize->setFieldValue(current.EditorFontSize);
    wwrap->setChecked(current.WrapNewDocs);
    savebak->setChecked(current.MakeBackups);
    autosave->setChecked(current.AutosaveOn);
    autosavespin->setFieldValue(current.AutosaveMinutes);
}

MivorSettings Tprefs::values() const
{
    MivorSettings s;
    // A typed name that no installed font has would give new documents a
    // stand-in font and be stored as if it worked.
    s.EditorFontName = usableFontName(FontBox->currentText(), families_);
    s.EditorFontSize = fontsize->fieldValue();
    s.EditorFontColor = Fontcolor->fill();
    s.EditorBackColor = BGColor->fill();
    s.DesktopColor = DTColor->fill();
    s.WrapNewDocs = wwrap->isChecked();
    s.MakeBackups = savebak->isChecked();
    s.AutosaveOn = autosave->isChecked();
    s.AutosaveMinutes = autosavespin->fieldValue();
    return withinPageDefaultRanges(s);
}

void Tprefs::showAids(const htmlaid::AidOptions &aids, const QStringList &languages)
{
    autoCloseTags->setChecked(aids.autoClose);
    matchTags->setChecked(aids.matchTags);
    completion->setChecked(aids.completion);
    spelling->setChecked(aids.spelling);
    spellPlainText->setChecked(aids.spellPlainText);
    dictionary->clear();
    dictionary->addItems(languages);
    // The language in use when none was chosen: US English if it is there.
    const QString shown = languages.contains(aids.language) ? aids.language
                          : languages.contains(QStringLiteral("en_US")) ? QStringLiteral("en_US")
                                                                         : languages.value(0);
    dictionary->setCurrentIndex(int(languages.indexOf(shown)));
    dictionary->setEnabled(!languages.isEmpty());
}

htmlaid::AidOptions Tprefs::aids() const
{
    htmlaid::AidOptions a;
    a.autoClose = autoCloseTags->isChecked();
    a.matchTags = matchTags->isChecked();
    a.completion = completion->isChecked();
    a.spelling = spelling->isChecked();
    a.spellPlainText = spellPlainText->isChecked();
    a.language = dictionary->currentText();
    return a;
}

void Tprefs::chooseInto(ColourSwatch *swatch)
{
    if (const std::optional<quint32> c = chooseSharedColour(this))
        swatch->setFill(*c);
}

void Tprefs::DTColorMouseDown()
{
    chooseInto(DTColor);
}

void Tprefs::BGColorMouseDown()
{
    chooseInto(BGColor);
}

void Tprefs::FontcolorMouseDown()
{
    chooseInto(Fontcolor);
}

void Tprefs::CancelBtnClick()
{
    reject();
}

void Tprefs::DoneBtnClick()
{
    accept();
}
