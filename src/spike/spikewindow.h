#pragma once
// "Spike": the tool window that lists the collected clips and inserts the
// selected ones into the current document. It knows nothing of the main
// window: insertion goes through the callback it is given.
#include <QDialog>
#include <QStringList>

#include <functional>
#include <optional>

class QListWidget;
class QListWidgetItem;
class QPushButton;

class TSpike : public QDialog {
    Q_OBJECT
public:
    using InsertFragmentFn = std::function<void(const QString &fragment)>;

    explicit TSpike(InsertFragmentFn insertFragment, QWidget *parent = nullptr);

    // True while the table editor shows the spike to pick cell text: Insert
    // then leaves the clips in PickedText and closes as accepted instead of
    // touching the document.
    bool SpikePickMode = false;
    // The picked clips, each followed by CR LF.
    QString PickedText;

    // "Copy To Spike": every line of the selection becomes a clip at the end.
    void CopyToSpike(const QString &selectionText);

    QStringList clips() const;
    // Replaces the whole collection (loading); does not report clipsChanged.
    void setClips(const QStringList &clips);

    // For the table editor: shows the spike modally in pick mode and returns
    // the picked text, or nothing when the window was closed without Insert.
    // A spike already open as a tool window is shown again afterwards.
    std::optional<QString> PickClips();

    QListWidget *SpikeList;
    QPushButton *DeleteBtn;
    QPushButton *InsertBtn;
    QPushButton *CloseBtn;

    void SpikeListClick();
    void SpikeListDblClick(QListWidgetItem *item);
    void InsertBtnClick();
    void DeleteBtnClick();
    void CloseBtnClick();

signals:
    // The collection was added to or shrunk by the user; the owner saves it.
    void clipsChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QList<int> selectedRows() const;
    void FormShow();

    InsertFragmentFn insertFragment_;
};
