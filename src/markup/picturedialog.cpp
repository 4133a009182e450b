#include "markup/picturedialog.h"

#include "imaging/pictureloader.h"
#include "markup/linkmedia.h"
#include "markup/mediafiles.h"
#include "widgets/windowplacing.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <memory>

namespace {
constexpr QSize kPreviewArea(165, 165);
constexpr int kNameWidth = 180;
}

TPictureDialog::TPictureDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Picture Dialog"));

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFixedSize(173, 173);
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setLineWidth(1);
    Shape1->setAutoFillBackground(true);
    QPalette framePalette = Shape1->palette();
    framePalette.setColor(QPalette::Window, QColor(192, 192, 192));      // silver
    framePalette.setColor(QPalette::WindowText, QColor(128, 128, 128));  // grey outline
    Shape1->setPalette(framePalette);

    TheImage = new QLabel(Shape1);
    TheImage->setObjectName(QStringLiteral("TheImage"));
    TheImage->setGeometry(4, 4, kPreviewArea.width(), kPreviewArea.height());
    TheImage->setAlignment(Qt::AlignCenter);

    ImageLabel = new QLabel(this);
    ImageLabel->setObjectName(QStringLiteral("ImageLabel"));
    ImageLabel->setTextFormat(Qt::PlainText);   // a file name is never markup
    ImageLabel->setFixedWidth(kNameWidth);
    BrowseBtn = dialogButton(QStringLiteral("Browse"), this);
    CopyImg = new QCheckBox(QStringLiteral("Save to HTML Folder"), this);
    CopyImg->setObjectName(QStringLiteral("CopyImg"));
    AbsoluteAddress = new QCheckBox(QStringLiteral("Use Absolute Address"), this);
    AbsoluteAddress->setObjectName(QStringLiteral("AbsoluteAddress"));
    CancelBtn = dialogButton(QStringLiteral("Cancel"), this);
    ApplyBtn = dialogButton(QStringLiteral("Apply"), this);

    OpenD.filter = QStringLiteral(
        "All Web Images (*jpg;*.gif;*.png)|*.jpg;*.gif;*.png|JPEG Image File (*.jpg)|*.jpg|"
        "GIF Image File (*.gif)|*.gif|PNG Image File (*.png)|*.png");

    auto *side = new QVBoxLayout;
    side->addWidget(ImageLabel);
    side->addWidget(BrowseBtn);
    side->addSpacing(6);
    side->addWidget(CopyImg);
    side->addWidget(AbsoluteAddress);
    side->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(CancelBtn);
    buttons->addWidget(ApplyBtn);
    side->addLayout(buttons);

    auto *main = new QHBoxLayout(this);
    main->addWidget(Shape1, 0, Qt::AlignTop);
    main->addLayout(side);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(BrowseBtn, &QPushButton::clicked, this, &TPictureDialog::BrowseBtnClick);
    connect(ApplyBtn, &QPushButton::clicked, this, &TPictureDialog::ApplyBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TPictureDialog::CancelBtnClick);
}

TPictureDialog::~TPictureDialog()
{
    // The load holds nothing of the window, but its thread must end before
    // its QThread goes; its arrival, which ends the hourglass, never comes.
    if (loader_) {
        loader_->wait();
        delete loader_;
        QApplication::restoreOverrideCursor();
    }
}

void TPictureDialog::showEvent(QShowEvent *event)
{
    centreOnOwner(this);
    QDialog::showEvent(event);
}

void TPictureDialog::closeEvent(QCloseEvent *event)
{
    // A load under way ends in this window: it stays open until then.
    if (isLoading()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TPictureDialog::BrowseBtnClick()
{
    if (isLoading())
        return;
    if (!dialogs().openFile(OpenD, this))
        return;
    choosePicture(OpenD.fileName);
}

void TPictureDialog::choosePicture(const QString &path)
{
    if (isLoading())
        return;
    ImagePath = path;
    // The hourglass for as long as the picture loads.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto result = std::make_shared<PictureResult>();
    loader_ = QThread::create([path, result] { *result = loadPicture(path); });
    connect(loader_, &QThread::finished, this, [this, path, result] {
        loader_->wait();
        loader_->deleteLater();
        loader_ = nullptr;
        QApplication::restoreOverrideCursor();
        pictureArrived(path, *result);
        emit pictureLoaded();
    });
    loader_->start();
}

void TPictureDialog::pictureArrived(const QString &path, const PictureResult &result)
{
    if (!result) {
        dialogs().error(result.message, this);
        return;
    }
    picture_ = result.value;
    picturePath_ = path;
    showPreview();
    // A long name is shortened in the middle rather than widening the window.
    ImageLabel->setText(ImageLabel->fontMetrics().elidedText(markup::fileNamePart(path), Qt::ElideMiddle,
                                                             kNameWidth));
    ImageLabel->setToolTip(path);
}

void TPictureDialog::showPreview()
{
    const QSize shown = markup::previewSize(picture_.size(), kPreviewArea);
    if (shown.isEmpty()) {
        TheImage->clear();
        return;
    }
    const QImage scaled = shown == picture_.size()
        ? picture_
        : picture_.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    TheImage->setPixmap(QPixmap::fromImage(scaled));
}

QImage TPictureDialog::chosenPicture() const
{
    return !ImagePath.isEmpty() && picturePath_ == ImagePath ? picture_ : QImage();
}

void TPictureDialog::ApplyBtnClick()
{
    if (isLoading())
        return;
    if (CopyImg->isChecked()) {
        const QString target = markup::copyTargetFor(ImagePath, DocumentFolder, QDir::currentPath());
        if (const Result copied = markup::copyPicture(ImagePath, target); !copied) {
            dialogs().error(copied.message, this);
            return;
        }
    }
    ImageRef = markup::imageRefFor(ImagePath, AbsoluteAddress->isChecked());
    accept();
}

void TPictureDialog::CancelBtnClick()
{
    reject();
}

void TPictureDialog::reject()
{
    if (isLoading())
        return;
    ImageRef.clear();
    QDialog::reject();
}

std::optional<QString> imageCommandResult(const TPictureDialog &dialog, QWidget *parent)
{
    const markup::ImageCommandText result = markup::imageCommandText(dialog.ImageRef, dialog.ImagePath);
    if (!result.error.isEmpty()) {
        dialogs().error(result.error, parent);
        return std::nullopt;
    }
    return result.text;
}

std::optional<QString> runImageCommand(TPictureDialog &dialog, const QString &documentFolder,
                                       QWidget *parent)
{
    dialog.DocumentFolder = documentFolder;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return imageCommandResult(dialog, parent);
}

TNewHtml::Background pageBackgroundResult(const TPictureDialog &dialog)
{
    return {dialog.ImageRef, dialog.chosenPicture()};
}

std::optional<TNewHtml::Background> choosePageBackground(TPictureDialog &dialog,
                                                         const QString &documentFolder)
{
    dialog.DocumentFolder = documentFolder;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return pageBackgroundResult(dialog);
}

void bindPageBackground(TNewHtml &page, TPictureDialog &dialog)
{
    page.choosePicture = [&dialog](const QString &folder) { return choosePageBackground(dialog, folder); };
}
