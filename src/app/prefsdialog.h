#pragma once
// "Set Page Defaults": the font, colours, wrap, backup and autosave defaults
// that new document windows and the main window use. It only moves values
// between its controls and a MivorSettings; the caller stores them.
#include "htmlaid/aidoptions.h"
#include "settings/settingsstore.h"

#include <QDialog>

class ColourSwatch;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class SpinField;

class Tprefs : public QDialog {
    Q_OBJECT
public:
    explicit Tprefs(QWidget *parent = nullptr);

    QLabel *Label2;
    ColourSwatch *DTColor;
    QLabel *Label1;
    ColourSwatch *BGColor;
    QGroupBox *GroupBox1;
    QLabel *Label3;
    QComboBox *FontBox;
    QLabel *Label4;
    SpinField *fontsize;
    QLabel *Label5;
    ColourSwatch *Fontcolor;
    QCheckBox *wwrap;
    QCheckBox *savebak;
    QCheckBox *autosave;
    SpinField *autosavespin;
    // Not page defaults: the caller loads and stores them on their own.
    QCheckBox *splash;
    QCheckBox *remoteContent;
    QCheckBox *currentLine;
    QCheckBox *reopenDocuments;
    // The writing aids, with the dictionary's language.
    QGroupBox *aidsBox;
    QCheckBox *autoCloseTags;
    QCheckBox *matchTags;
    QCheckBox *completion;
    QCheckBox *spelling;
    QCheckBox *spellPlainText;
    QLabel *dictionaryLabel;
    QComboBox *dictionary;
    QPushButton *CancelBtn;
    QPushButton *DoneBtn;

    // Loads every control from the settings in use.
    void FormShow(const MivorSettings &current);
    // The controls' values, within their ranges; a font name that names no
    // installed font gives the default.
    MivorSettings values() const;
    // The aids' choices in and out; `languages` are the dictionaries found.
    void showAids(const htmlaid::AidOptions &aids, const QStringList &languages);
    htmlaid::AidOptions aids() const;

    void DTColorMouseDown();
    void BGColorMouseDown();
    void FontcolorMouseDown();
    void CancelBtnClick();
    void DoneBtnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void chooseInto(ColourSwatch *swatch);

    QStringList families_;   // installed fonts, as listed in FontBox
};
