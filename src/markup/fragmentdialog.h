#pragma once
// The frame the tag dialogs share: Cancel and Apply, the fragment Apply
// builds, the reset of the controls on each opening and the placement over
// the owner. A dialog adds its own controls and says how its text is built.
#include <QDialog>
#include <optional>
#include <tuple>
#include <utility>

class QHBoxLayout;
class QPushButton;

class FragmentDialog : public QDialog {
    Q_OBJECT
public:
    // Built by Apply; emptied by Cancel, and on each opening unless the
    // dialog keeps its result (see Opening).
    QString FragmentText;

    // What the two buttons do, for callers that answer the dialog directly.
    void apply();
    void cancel();

protected:
    enum class Opening {
        ClearResult,   // an earlier Apply's text is gone once the window opens
        KeepResult,    // it stays until Cancel or the next Apply
    };
    FragmentDialog(QWidget *parent, Qt::WindowFlags flags, Opening opening = Opening::ClearResult);

    // Makes Cancel and Apply and wires them. Called once the dialog's own
    // controls exist, so that the two come last in the tab order.
    std::pair<QPushButton *, QPushButton *> makeButtons(const QString &cancelCaption,
                                                        const QString &applyCaption);
    // The usual button row: Cancel and Apply at the right.
    QHBoxLayout *buttonRow() const;

    // The text Apply gives, or nothing to keep the window open (the dialog
    // has then told the user what is missing).
    virtual std::optional<QString> buildFragment() = 0;
    // Puts the controls back as each opening wants them.
    virtual void FormShow() {}

    void showEvent(QShowEvent *event) override;

private:
    Opening opening_;
    QPushButton *cancel_ = nullptr;
    QPushButton *apply_ = nullptr;
};
