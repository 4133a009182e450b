#pragma once
// "New HTML Doc": the skeleton of a new web page. Keeps every field from one
// use to the next.
#include <QDialog>
#include <QImage>
#include <functional>
#include <optional>

class ColourSwatch;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TNewHtml : public QDialog {
    Q_OBJECT
public:
    explicit TNewHtml(QWidget *parent = nullptr);

    QString PageText;   // built by Apply, emptied by Cancel

    // Folder of the new document's file, given by the caller before showing;
    // handed to the picture chooser.
    QString DocumentFolder;

    // What the picture chooser returns when the user accepts it: the address
    // to write and the picture for the preview (null when it cannot be shown,
    // in which case the chooser has told the user and the old preview stays).
    struct Background {
        QString imageRef;
        QImage preview;
    };
    // Set by the program to show the picture dialog; "BG Image" does nothing
    // until it is set.
    std::function<std::optional<Background>(const QString &documentFolder)> choosePicture;

    QLabel *Label1;
    QLineEdit *Edit1;      // title
    QLabel *Label2;
    QLineEdit *Edit2;      // author
    QCheckBox *textsel;
    ColourSwatch *Shape2;
    QCheckBox *linksel;
    ColourSwatch *Shape3;
    QCheckBox *vlinksel;
    ColourSwatch *Shape4;
    QCheckBox *fixedBG;
    QLabel *piclabel;
    QLabel *Image1;
    QPushButton *BGIBtn;
    QCheckBox *bgset;
    ColourSwatch *Shape1;
    QPushButton *CancelBtn;
    QPushButton *ApplyBtn;

    void BGIBtnClick();
    void ApplyBtnClick();
    void CancelBtnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QImage picture_;
    bool shownBefore_ = false;
};
