#pragma once
// The form maker window: form-wide settings, the element list with its
// picture buttons, the option grid, preview and the form files. Every
// decision is made by FormModel and the generator; handlers move values
// between the controls and them.

#include "formmaker/formmodel.h"
#include "platform/dialogs.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QToolButton;

class TFormForm : public QDialog {
    Q_OBJECT
public:
    explicit TFormForm(QWidget *parent = nullptr);
    ~TFormForm() override;

    // The form text to insert after the window closed; empty: insert nothing.
    QString FormHtml;
    // Set by "Preview" until its page has been handed to the shell.
    bool PreviewMode = false;

    const formmaker::FormModel &model() const { return model_; }

    // --- controls, in the window's order ---
    QLineEdit *namebox;
    QComboBox *methodbox;
    QLineEdit *actionbar;
    QLineEdit *Onsubmit;
    QCheckBox *submitchk;
    QLineEdit *submitvalue;
    QCheckBox *resetchk;
    QLineEdit *resetvalue;
    QLabel *elementnum;
    QToolButton *FirstBtn, *prevbtn, *NextBtn, *LastBtn, *addbtn, *DeleteBtn, *EditBtn,
        *postbtn, *clearbtn;
    QLineEdit *PreElementText;
    QLineEdit *PostElementText;
    QComboBox *elementtype;
    QLineEdit *elementname;
    QLineEdit *elementval;
    QLabel *SizeLabel;
    QSpinBox *elementsize;
    QLabel *LenLabel;
    QSpinBox *elementmax;
    QLabel *checkedLable;
    QComboBox *elementchk;
    QLabel *onclickLabel;
    QLineEdit *elementclick;
    QPushButton *openbtn, *savebtn, *Cancelbtn, *PreviewBtn, *ApplyBtn;
    QTableWidget *SG1;

public slots:
    void FormShow();
    void FirstBtnClick();
    void prevbtnClick();
    void NextBtnClick();
    void LastBtnClick();
    void addbtnClick();
    void postbtnClick();
    void EditBtnClick();
    void clearbtnClick();
    void DeleteBtnClick();
    void elementtypeChange(const QString &text);
    void CancelbtnClick();
    void ApplyBtnClick();
    void PreviewBtnClick();
    void openbtnClick();
    void savebtnClick();
    // A key typed in the option grid's focused cell (which holds `cellText`
    // as typed so far); true when the key was taken.
    bool SG1KeyPress(QChar key, const QString &cellText);
    void SG1MouseDown(Qt::MouseButton button);

    // Closing in any way but "Apply" leaves nothing to insert.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    formmaker::FormSettings settings() const;
    void setSettings(const formmaker::FormSettings &s);
    void readControls();
    void writeControls();
    void readGrid();
    void ShowFormPreview(const QString &text);
    void buildControls();
    void connectControls();

    formmaker::FormModel model_;
    FileDialogState openState_;
    FileDialogState saveState_;
    bool writing_ = false;
};
