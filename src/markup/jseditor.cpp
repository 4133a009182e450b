#include "markup/jseditor.h"

#include "documents/gutter.h"
#include "documents/memo.h"
#include "widgets/colourswatch.h"
#include "markup/framescript.h"
#include "markup/mediafiles.h"
#include "platform/windowcentre.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollBar>

namespace {
const QString kScriptFilter = QStringLiteral("JS (*.js)|*.js|TEXT (*.txt)|*.txt|All files (*.*)|*.*");
}

TJSEditor::TJSEditor(const EditorLook &look, QWidget *parent)
    : QDialog(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Javascript Editor"));
    setSizeGripEnabled(true);

    MainMenu1 = new QMenuBar(this);
    File1 = MainMenu1->addMenu(QStringLiteral("&File"));
    Open1 = File1->addAction(QStringLiteral("&Open *.js"));
    Save1 = File1->addAction(QStringLiteral("&Save"));
    File1->addSeparator();
    Cancel1 = File1->addAction(QStringLiteral("&Cancel"));
    File1->addSeparator();
    Exit1 = File1->addAction(QStringLiteral("Update HTML && &Close"));
    View1 = MainMenu1->addMenu(QStringLiteral("&View"));
    LineNumbering1 = View1->addAction(QStringLiteral("&Line Numbering"));
    LineNumbering1->setCheckable(true);

    Memo1 = new TMemo(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setWrap(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    LineNum = new LineGutter(Memo1, this);
    LineNum->setObjectName(QStringLiteral("LineNum"));

    // The settings are taken once; later changes do not reach this window.
    QFont font(look.fontName);
    font.setPointSize(qBound(1, look.fontSize, 400));
    Memo1->setFont(font);
    QPalette pal = Memo1->palette();
    pal.setColor(QPalette::Text, colourFromValue(look.fontColor));
    pal.setColor(QPalette::Base, colourFromValue(look.backColor));
    Memo1->setPalette(pal);
    QFont numbers = LineNum->font();
    numbers.setFamily(font.family());
    numbers.setPointSize(font.pointSize());
    LineNum->setFont(numbers);
    LineNum->hide();

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);   // a gap between numbers and text, only while numbers show
    row->setMenuBar(MainMenu1);
    row->addWidget(LineNum);
    row->addWidget(Memo1, 1);
    resize(544, 375);

    OpenDialog1.filter = kScriptFilter;
    SaveDialog1.filter = kScriptFilter;

    connect(Open1, &QAction::triggered, this, &TJSEditor::Open1Click);
    connect(Save1, &QAction::triggered, this, &TJSEditor::Save1Click);
    connect(Cancel1, &QAction::triggered, this, &TJSEditor::Cancel1Click);
    connect(Exit1, &QAction::triggered, this, &TJSEditor::Exit1Click);
    connect(LineNumbering1, &QAction::triggered, this, &TJSEditor::LineNumbering1Click);
    connect(Memo1, &TMemo::mouseReleased, this, &TJSEditor::Memo1MouseUp);
    // Scrolling by bar, wheel, keys or caret moves all move the bar's value.
    connect(Memo1->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &TJSEditor::ApplicationEvents1Message);
    connect(Memo1, &TMemo::viewChanged, this, &TJSEditor::ApplicationEvents1Message);
    connect(Memo1, &TMemo::textChanged, this, &TJSEditor::ApplicationEvents1Message);
    centreOnOwnerWhenShown(this);
}

TJSEditor::~TJSEditor() = default;

QString TJSEditor::scriptText() const
{
    return Memo1->text();
}

void TJSEditor::Open1Click()
{
    OpenDialog1.fileName.clear();
    if (!dialogs().openFile(OpenDialog1, this))
        return;
    ScriptFile = OpenDialog1.fileName;
    textfile::Decoded decoded;
    const textfile::LoadStatus status = textfile::load(ScriptFile, decoded);
    if (status != textfile::LoadStatus::Ok) {
        dialogs().error(textfile::loadFailureMessage(status, ScriptFile), this);
        return;
    }
    encoding_ = decoded.encoding;
    byteOrderMark_ = decoded.byteOrderMark;
    Memo1->setText(decoded.text);
    Memo1->setModified(false);
}

void TJSEditor::Save1Click()
{
    SaveDialog1.fileName.clear();
    if (!dialogs().saveFile(SaveDialog1, this))
        return;
    // Names are case-sensitive here: the reference must name the file as written.
    ScriptFile = SaveDialog1.fileName;
    textfile::Encoding used = encoding_;
    if (Result r = textfile::save(ScriptFile, markup::scriptFileText(Memo1->text()), encoding_, &used,
                                  byteOrderMark_);
        !r) {
        dialogs().error(QStringLiteral("Cannot create file ") + ScriptFile + QStringLiteral(": ") + r.message, this);
        return;
    }
    encoding_ = used;
    Memo1->setModified(false);
}

void TJSEditor::Cancel1Click()
{
    ScriptFile.clear();
    Memo1->setText(QString());
    close();
}

void TJSEditor::Exit1Click()
{
    close();
}

void TJSEditor::LineNumbering1Click()
{
    LineNum->setVisible(LineNumbering1->isChecked());
    if (LineNumbering1->isChecked()) {
        layout()->activate();   // the column needs its height before numbering
        shownLineCount_ = -1;
        ApplicationEvents1Message();
        Memo1MouseUp();
    }
}

void TJSEditor::FormClose()
{
    LineNum->hide();
}

void TJSEditor::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TJSEditor::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (!LineNum->isHidden())
        Memo1MouseUp();
}

void TJSEditor::keyPressEvent(QKeyEvent *event)
{
    // Escape would close the window and insert the script unasked.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TJSEditor::Memo1MouseUp()
{
    topLine_ = Memo1->firstVisibleLine();
    LineNum->refresh(topLine_);
}

void TJSEditor::ApplicationEvents1Message()
{
    if (Memo1->firstVisibleLine() != topLine_)
        Memo1MouseUp();
    const int lines = Memo1->lineCount();
    if (lines != shownLineCount_) {
        shownLineCount_ = lines;
        LineNum->updateWidth(lines);
    }
}

void insertDirectScript(const TJSEditor &editor, const InsertText &insert)
{
    const QString text = editor.scriptText();
    if (text.isEmpty())
        return;
    for (const QString &piece : markup::directScriptPieces(text))
        insert(piece);
}

void insertScriptFromFile(const TJSEditor &editor, const InsertText &insert)
{
    if (editor.scriptText().isEmpty())
        return;
    insert(markup::scriptFromFile(editor.ScriptFile));
}

void runDirectScript(TJSEditor &editor, const InsertText &insert)
{
    editor.exec();
    insertDirectScript(editor, insert);
}

void runScriptFromFile(TJSEditor &editor, const InsertText &insert)
{
    editor.exec();
    insertScriptFromFile(editor, insert);
}
