#pragma once
// The HTML menu's tag commands: tag pairs, fragments from the dialogs, the
// new web page, Sort Selection, the colour swatch and the screen pipette.
// Each gathers the selection, lets a dialog or a builder make the text, and
// hands it to the text area's InsertFragment.
#include "markup/tagcommands.h"

#include <QObject>
#include <functional>

class CommandHost;
class CommandState;
class ColourSwatch;
class DocumentCommands;
class FragmentDialog;
class QWidget;
class TMemo;
struct ToolWindows;

class MarkupCommands : public QObject {
public:
    MarkupCommands(CommandHost &host, CommandState &state, ToolWindows &tools, DocumentCommands &documents,
                   QObject *parent);
    void bind(CommandState &state);
    // The swatch at the top of the HTML strip; `hover` watches it for the hint.
    void makeSwatch(QWidget *htmlStrip, QObject *hover);
    ColourSwatch *colourSwatch() const { return Shape1; }
    bool pickingColour() const { return PickingColour; }

    void runTagCommand(markup::TagCommandId id);
    void BoldBtnClick() { runTagCommand(markup::TagCommandId::Bold); }
    void ItalicBtnClick() { runTagCommand(markup::TagCommandId::Italic); }
    void CENTER1Click() { runTagCommand(markup::TagCommandId::Centre); }
    void BreakBtnClick() { runTagCommand(markup::TagCommandId::LineBreak); }
    void SpaceBtnClick() { runTagCommand(markup::TagCommandId::Space); }
    void Paragraph1Click();
    void FontBtnClick();
    void HHeadlines1Click();
    void HRuleBtnClick();
    void List1Click();
    void AnchorBtnClick();
    void email1Click();
    void Marquee1Click();
    void Frameset1Click();
    void Frame1Click();
    void FormMenu1Click();
    void SortSelection1Click();
    void NewWebPage1Click();
    void Shape1MouseDown(Qt::MouseButton button);
    void Color1Click();
    void colpicBtnClick();
    void ApplicationEvents1Idle();
    void FormMouseDown();

protected:
    // While picking, the pointer is captured: it moves anywhere and the
    // first press ends picking.
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    enum class Answer { Accepted, AnyText };
    void insertFromDialog(FragmentDialog *dialog, Answer counts,
                          const std::function<markup::Insertion(const QString &)> &build);
    TMemo *memo();
    QString selectionText();
    void endPicking();

    CommandHost &host_;
    CommandState &state_;
    ToolWindows &tools_;
    DocumentCommands &documents_;
    ColourSwatch *Shape1 = nullptr;
    bool PickingColour = false;
};
