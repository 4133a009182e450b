#include "platform/windowcentre.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

void centreOnOwner(QWidget *window)
{
    QWidget *owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (owner && (!owner->isVisible() || owner->isMinimized()))
        owner = nullptr;
    QScreen *screen = owner ? owner->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // The insides are placed: where a frame goes is the platform's to tell,
    // and until the window has been framed once it tells nothing. Both
    // windows have a title bar above their inside, so their middles meet.
    QRect inside(QPoint(0, 0), window->size());
    inside.moveCenter(owner ? owner->geometry().center() : area.center());
    // Kept on the screen with a frame like the owner's around it.
    const QMargins frame = owner ? QMargins(owner->geometry().left() - owner->frameGeometry().left(),
                                            owner->geometry().top() - owner->frameGeometry().top(),
                                            owner->frameGeometry().right() - owner->geometry().right(),
                                            owner->frameGeometry().bottom() - owner->geometry().bottom())
                                 : QMargins();
    const QRect room = area.marginsRemoved(frame);
    inside.moveLeft(std::clamp(inside.left(), room.left(), std::max(room.left(), room.right() + 1 - inside.width())));
    inside.moveTop(std::clamp(inside.top(), room.top(), std::max(room.top(), room.bottom() + 1 - inside.height())));
    window->setGeometry(inside);
}

namespace {

// The show event comes before the window appears: it is placed before the
// user sees it anywhere else.
class CentreOnShow : public QObject {
public:
    CentreOnShow(QWidget *window, bool firstShowOnly) : QObject(window), firstShowOnly_(firstShowOnly) {}

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::Show && !e->spontaneous() && !(firstShowOnly_ && shown_)) {
            shown_ = true;
            centreOnOwner(static_cast<QWidget *>(watched));
        }
        return false;
    }

private:
    bool firstShowOnly_;
    bool shown_ = false;
};

} // namespace

void centreOnOwnerWhenShown(QWidget *window, bool firstShowOnly)
{
    window->installEventFilter(new CentreOnShow(window, firstShowOnly));
}
