#pragma once
// "Picture Dialog": chooses a picture file, previews it, can copy it beside
// the document and decides how its address is written. Serves the Image
// command and the new page dialog's background image.
#include "markup/newpagedialog.h"
#include "platform/dialogs.h"
#include "platform/result.h"

#include <QDialog>
#include <QImage>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QThread;

class TPictureDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPictureDialog(QWidget *parent = nullptr);
    ~TPictureDialog() override;

    // Folder of the current document with its trailing "/", or empty; set by
    // the caller before showing.
    QString DocumentFolder;
    // Full path of the file last chosen with "Browse".
    QString ImagePath;
    // The address to write, set by Apply and emptied by Cancel.
    QString ImageRef;

    QFrame *Shape1;
    QLabel *TheImage;
    QLabel *ImageLabel;
    QPushButton *BrowseBtn;
    QCheckBox *CopyImg;
    QCheckBox *AbsoluteAddress;
    QPushButton *CancelBtn;
    QPushButton *ApplyBtn;
    FileDialogState OpenD;

    void BrowseBtnClick();
    void ApplyBtnClick();
    void CancelBtnClick();

    // Loads a picture into the preview as "Browse" does after the user picked
    // it: ImagePath is set first; a failure shows its message and keeps the
    // previous picture and label. The file is read and decoded off the
    // window's thread (a big GIF takes seconds); pictureLoaded() tells when
    // the preview or the message is there. Until then the dialog's buttons
    // and its close do nothing.
    void choosePicture(const QString &path);
    bool isLoading() const { return loader_ != nullptr; }

    // The picture of ImagePath as loaded, or a null image when the preview
    // could not show it (it then still shows an older picture).
    QImage chosenPicture() const;

    void reject() override;

signals:
    void pictureLoaded();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void pictureArrived(const QString &path, const ResultOf<QImage> &result);
    void showPreview();
    QImage picture_;
    QString picturePath_;   // the file picture_ was loaded from
    QThread *loader_ = nullptr;
};

// The Image command: shows the dialog modally for a document in
// `documentFolder` ("" for a document without a file name) and returns the
// IMG tag to insert, or nothing when the dialog was cancelled or the
// picture's size could not be read (the file error is then shown).
std::optional<QString> runImageCommand(TPictureDialog &dialog, const QString &documentFolder,
                                       QWidget *parent);
// Its second half, after the dialog was accepted.
std::optional<QString> imageCommandResult(const TPictureDialog &dialog, QWidget *parent);

// The new page dialog's background chooser: shows the dialog modally and
// returns the accepted address with its preview.
std::optional<TNewHtml::Background> choosePageBackground(TPictureDialog &dialog,
                                                         const QString &documentFolder);
// What an accepted dialog hands to the new page dialog.
TNewHtml::Background pageBackgroundResult(const TPictureDialog &dialog);
// Lets "BG Image" of `page` use `dialog`.
void bindPageBackground(TNewHtml &page, TPictureDialog &dialog);
