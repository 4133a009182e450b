#pragma once
// A document window: one file (or untitled document) as raw text, with an
// optional line-number gutter. Its caption is the document's identity: the
// file's full path, or "~Untiltled" + number before it is first saved.
#include "documents/textfile.h"

#include <QMdiSubWindow>

class DocumentHost;
class LineGutter;
class TMemo;
class QFrame;

class TSubForm : public QMdiSubWindow {
    Q_OBJECT
public:
    // Creation applies the wrap default and the gutter font.
    TSubForm(DocumentHost *host, bool wrapNewDocs, const QFont &editorFont, QWidget *parent = nullptr);
    ~TSubForm() override;

    LineGutter *LineNum = nullptr;
    QFrame *Bevel1 = nullptr;
    TMemo *Memo1 = nullptr;
    int TopLine = -1;
    // How the file's bytes were decoded, so a save writes them back alike.
    textfile::Encoding encoding = textfile::Encoding::Utf8;
    // The file began with a UTF-8 byte-order mark, which saves write back.
    bool byteOrderMark = false;
    // Sets how the file was read or written.
    void setEncoding(textfile::Encoding enc);
    // What the next save writes: the encoding, unless text typed since holds
    // a character windows-1252 lacks (the save then writes UTF-8).
    textfile::Encoding savedEncoding() const;

    QString caption() const { return windowTitle(); }
    void setCaption(const QString &c) { setWindowTitle(c); }

    void CheckSelection();
    // The caret's row, -1 while the background wrap of a long document has
    // not reached it; the report fills it in once it is known.
    int CaretLine() const;
    int CaretColumn() const;
    bool gutterVisible() const;
    void setGutterVisible(bool on);

    // Handlers.
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();
    void Memo1Change();
    void Memo1KeyUp();
    void Memo1MouseUp();    // position report and gutter refresh
    // The same after a load, a resize or a scroll, which the user did not
    // select with: the selection commands are told only when the selection
    // changed since this window's last report, so the state a new window's
    // commands were given stands until the user clicks or selects.
    void refreshView();
    void FormMouseMove();
    // Checks for a scroll since the last refresh and keeps the gutter width.
    void ApplicationEvents1Message();

    // Closing the whole program discards open documents without their own
    // closing step (no Reopen entry, no Save As of untitled ones).
    void discard();

signals:
    // savedEncoding() may have changed.
    void saveFormatChanged();

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    enum class Report { User, View };
    void positionReport(Report why);
    void refresh(Report why);
    void linesNumbered();
    DocumentHost *host_;
    bool discarding_ = false;
    int shownLineCount_ = -1;
    bool beyond1252_ = false;
    bool reportedSelection_ = false;   // what CheckSelection last told the main window
    bool rowPending_ = false;
    // The document whose caret the status bar shows.
    static TSubForm *reporting_;
};
