#include "formmaker/formform.h"

#include "formmaker/formfile.h"
#include "formmaker/formhtml.h"
#include "formmaker/navpictures.h"
#include "platform/shell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>

#include <limits>

using namespace formmaker;

namespace {

const QColor Background(0, 128, 192);
const QColor Cream(255, 251, 240);
const QColor DarkBlue(0, 0, 128);

// Enter and "P" in the option grid, and a right click on it, reach the
// window also while a cell's editor holds the focus.
class OptionCellDelegate : public QStyledItemDelegate {
public:
    explicit OptionCellDelegate(TFormForm *form) : QStyledItemDelegate(form), form_(form) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->setContextMenuPolicy(Qt::NoContextMenu);
        return editor;
    }


protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            auto *edit = qobject_cast<QLineEdit *>(object);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (edit && (enter || key->text() == QLatin1String("P"))
                && form_->SG1KeyPress(enter ? QChar(13) : QChar('P'), edit->text()))
                return true;
        } else if (event->type() == QEvent::MouseButtonPress) {
            form_->SG1MouseDown(static_cast<QMouseEvent *>(event)->button());
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TFormForm *form_;
};

// Keys and clicks that reach the grid itself rather than a cell editor.
class GridEvents : public QObject {
public:
    explicit GridEvents(TFormForm *form, QTableWidget *grid) : QObject(form), form_(form), grid_(grid) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (enter || key->text() == QLatin1String("P")) {
                const QTableWidgetItem *item = grid_->currentItem();
                return form_->SG1KeyPress(enter ? QChar(13) : QChar('P'),
                                          item ? item->text() : QString());
            }
        } else if (event->type() == QEvent::MouseButtonPress) {
            form_->SG1MouseDown(static_cast<QMouseEvent *>(event)->button());
        }
        return false;
    }

private:
    TFormForm *form_;
    QTableWidget *grid_;
};

QLabel *label(QWidget *parent, const QString &text, int x, int y, int w = -1)
{
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->move(x, y);
    if (w > 0)
        l->resize(w, l->sizeHint().height());
    else
        l->adjustSize();
    return l;
}

template <class W>
W *place(W *w, int x, int y, int width, int height)
{
    w->setGeometry(x, y, width, height);
    return w;
}

void setText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

void setText(QComboBox *box, const QString &text)
{
    if (box->currentText() != text)
        box->setEditText(text);
}

} // namespace

TFormForm::TFormForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Form Maker"));
    setFixedSize(443, 478);
    move(160, 100);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Background);
    pal.setColor(QPalette::WindowText, Cream);
    pal.setColor(QPalette::Text, DarkBlue);
    setPalette(pal);
    setAutoFillBackground(true);

    buildControls();
    connectControls();
    // FormCreate.
    model_.ResetElements();
    writeControls();
}

TFormForm::~TFormForm()
{
    // An open cell editor commits its text when the grid goes; let it reach
    // the model while the model still exists.
    delete SG1;
}

void TFormForm::buildControls()
{
    // Form settings.
    label(this, QStringLiteral("Name"), 8, 11);
    namebox = place(new QLineEdit(this), 84, 8, 146, 23);
    label(this, QStringLiteral("Method"), 240, 11);
    methodbox = place(new QComboBox(this), 308, 8, 127, 23);
    methodbox->setEditable(true);
    methodbox->addItems({QStringLiteral("Post"), QStringLiteral("Get")});
    methodbox->setEditText(QStringLiteral("Post"));
    label(this, QStringLiteral("Action"), 8, 39);
    actionbar = place(new QLineEdit(this), 84, 36, 351, 23);
    label(this, QStringLiteral("OnSubmit"), 8, 67);
    Onsubmit = place(new QLineEdit(this), 84, 64, 351, 23);
    submitchk = place(new QCheckBox(QStringLiteral("Submit"), this), 8, 92, 72, 23);
    submitvalue = place(new QLineEdit(this), 82, 92, 138, 23);
    resetchk = place(new QCheckBox(QStringLiteral("Reset"), this), 232, 92, 64, 23);
    resetvalue = place(new QLineEdit(this), 298, 92, 137, 23);
    for (QCheckBox *c : {submitchk, resetchk}) {
        QFont f = c->font();
        f.setBold(true);
        c->setFont(f);
    }

    // Element bar.
    label(this, QStringLiteral("Element"), 6, 128);
    elementnum = label(this, QString(), 6, 148, 56);
    struct Nav {
        QToolButton **button;
        NavPicture picture;
        const char *hint;
    };
    const Nav navs[] = {{&FirstBtn, NavPicture::First, "First"},  {&prevbtn, NavPicture::Prior, "Previous"},
                        {&NextBtn, NavPicture::Next, "Next"},     {&LastBtn, NavPicture::Last, "Last"},
                        {&addbtn, NavPicture::Add, "Add"},        {&DeleteBtn, NavPicture::Delete, "Delete"},
                        {&EditBtn, NavPicture::Edit, "Edit"},     {&postbtn, NavPicture::Post, "Post"},
                        {&clearbtn, NavPicture::Clear, "Clear"}};
    int x = 66;
    for (const Nav &n : navs) {
        auto *b = place(new QToolButton(this), x, 122, 41, 41);
        b->setIcon(navPicture(n.picture));
        b->setIconSize(QSize(24, 24));
        b->setToolTip(QLatin1String(n.hint));
        *n.button = b;
        x += 41;
    }

    // Element texts and identity.
    label(this, QStringLiteral("Pre Element Text"), 8, 177);
    PreElementText = place(new QLineEdit(this), 140, 174, 295, 23);
    label(this, QStringLiteral("Post Element Text"), 8, 205);
    PostElementText = place(new QLineEdit(this), 140, 202, 295, 23);
    label(this, QStringLiteral("Type"), 8, 237);
    elementtype = place(new QComboBox(this), 46, 234, 100, 23);
    elementtype->setEditable(true);
    elementtype->addItems({QString(), QStringLiteral("text"), QStringLiteral("password"),
                           QStringLiteral("hidden"), QStringLiteral("radio"),
                           QStringLiteral("checkbox"), QStringLiteral("button"),
                           QStringLiteral("textarea"), QStringLiteral("select")});
    elementtype->setEditText(QString());
    label(this, QStringLiteral("Name"), 154, 237);
    elementname = place(new QLineEdit(this), 200, 234, 96, 23);
    label(this, QStringLiteral("Value"), 304, 237);
    elementval = place(new QLineEdit(this), 350, 234, 85, 23);

    // Element numbers and event.
    SizeLabel = label(this, QStringLiteral("Cols"), 8, 269, 38);
    elementsize = place(new QSpinBox(this), 46, 266, 80, 23);
    LenLabel = label(this, QStringLiteral("Rows"), 140, 269);
    elementmax = place(new QSpinBox(this), 184, 266, 80, 23);
    for (QSpinBox *s : {elementsize, elementmax}) {
        s->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        s->setValue(0);
        // The style draws the arrows in the window text colour, cream here.
        QPalette arrows = s->palette();
        arrows.setColor(QPalette::WindowText, Qt::black);
        s->setPalette(arrows);
    }
    checkedLable = label(this, QStringLiteral("Checked"), 280, 269);
    elementchk = place(new QComboBox(this), 350, 266, 85, 23);
    elementchk->setEditable(true);
    elementchk->addItems({QStringLiteral("N"), QStringLiteral("Y")});
    elementchk->setEditText(QStringLiteral("N"));
    onclickLabel = label(this, QStringLiteral("onClick( ) "), 8, 301, 92);
    elementclick = place(new QLineEdit(this), 100, 298, 335, 23);

    // Files and finish.
    openbtn = place(new QPushButton(QStringLiteral("Open Form"), this), 8, 392, 104, 30);
    savebtn = place(new QPushButton(QStringLiteral("Save Form"), this), 120, 392, 104, 30);
    Cancelbtn = place(new QPushButton(QStringLiteral("Cancel"), this), 187, 438, 78, 30);
    PreviewBtn = place(new QPushButton(QStringLiteral("Preview"), this), 272, 438, 78, 30);
    ApplyBtn = place(new QPushButton(QStringLiteral("Apply"), this), 357, 438, 78, 30);
    ApplyBtn->setDefault(false);
    for (QPushButton *b : {openbtn, savebtn, Cancelbtn, PreviewBtn, ApplyBtn})
        b->setAutoDefault(false);

    // Option grid, docked along the bottom over the two rows of buttons.
    SG1 = place(new QTableWidget(1, 3, this), 0, 478 - 102, 443, 102);
    SG1->setColumnWidth(0, 242);
    SG1->setColumnWidth(1, 129);
    SG1->setColumnWidth(2, 64);
    SG1->verticalHeader()->hide();
    SG1->verticalHeader()->setDefaultSectionSize(22);
    SG1->horizontalHeader()->setFixedHeight(22);
    SG1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SG1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Includes CurrentChanged: the focused cell always shows its editor.
    SG1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    SG1->setTabKeyNavigation(true);
    SG1->setSelectionMode(QAbstractItemView::SingleSelection);
    SG1->setToolTip(QStringLiteral("Right Click to Hide"));
    SG1->setItemDelegate(new OptionCellDelegate(this));
    auto *gridEvents = new GridEvents(this, SG1);
    SG1->installEventFilter(gridEvents);
    SG1->viewport()->installEventFilter(gridEvents);
    QPalette gridPal = SG1->palette();
    gridPal.setColor(QPalette::WindowText, Qt::black);
    SG1->setPalette(gridPal);
    SG1->hide();
}

void TFormForm::connectControls()
{
    connect(FirstBtn, &QToolButton::clicked, this, &TFormForm::FirstBtnClick);
    connect(prevbtn, &QToolButton::clicked, this, &TFormForm::prevbtnClick);
    connect(NextBtn, &QToolButton::clicked, this, &TFormForm::NextBtnClick);
    connect(LastBtn, &QToolButton::clicked, this, &TFormForm::LastBtnClick);
    connect(addbtn, &QToolButton::clicked, this, &TFormForm::addbtnClick);
    connect(DeleteBtn, &QToolButton::clicked, this, &TFormForm::DeleteBtnClick);
    connect(EditBtn, &QToolButton::clicked, this, &TFormForm::EditBtnClick);
    connect(postbtn, &QToolButton::clicked, this, &TFormForm::postbtnClick);
    connect(clearbtn, &QToolButton::clicked, this, &TFormForm::clearbtnClick);
    connect(openbtn, &QPushButton::clicked, this, &TFormForm::openbtnClick);
    connect(savebtn, &QPushButton::clicked, this, &TFormForm::savebtnClick);
    connect(Cancelbtn, &QPushButton::clicked, this, &TFormForm::CancelbtnClick);
    connect(PreviewBtn, &QPushButton::clicked, this, &TFormForm::PreviewBtnClick);
    connect(ApplyBtn, &QPushButton::clicked, this, &TFormForm::ApplyBtnClick);
    connect(elementtype, &QComboBox::currentTextChanged, this, &TFormForm::elementtypeChange);

    // The change reaction of the element controls (PreElementTextChange).
    auto text = [this](QLineEdit *edit, void (FormModel::*set)(const QString &)) {
        connect(edit, &QLineEdit::textChanged, this, [this, set](const QString &v) {
            if (!writing_)
                (model_.*set)(v);
        });
    };
    text(PreElementText, &FormModel::setPreText);
    text(PostElementText, &FormModel::setPostText);
    text(elementname, &FormModel::setName);
    text(elementval, &FormModel::setValue);
    text(elementclick, &FormModel::setOnEvent);
    connect(elementchk, &QComboBox::currentTextChanged, this, [this](const QString &v) {
        if (!writing_)
            model_.setChecked(v);
    });
    connect(elementsize, &QSpinBox::valueChanged, this, [this](int v) {
        if (!writing_)
            model_.setSize(v);
    });
    connect(elementmax, &QSpinBox::valueChanged, this, [this](int v) {
        if (!writing_)
            model_.setMax(v);
    });

    connect(SG1, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (!writing_)
            model_.setOptionCell(item->row() + 1, item->column(), item->text());
    });
    connect(SG1, &QTableWidget::currentCellChanged, this, [this](int row, int col) {
        if (writing_ || row < 0)
            return;
        model_.setGridFocus(row + 1, col);
    });
}

FormSettings TFormForm::settings() const
{
    FormSettings s;
    s.FormName = namebox->text();
    s.Method = methodbox->currentText();
    s.Action = actionbar->text();
    s.OnSubmit = Onsubmit->text();
    s.SubmitOn = submitchk->isChecked();
    s.ResetOn = resetchk->isChecked();
    s.SubmitValue = submitvalue->text();
    s.ResetValue = resetvalue->text();
    return s;
}

void TFormForm::setSettings(const FormSettings &s)
{
    namebox->setText(s.FormName);
    methodbox->setEditText(s.Method);
    actionbar->setText(s.Action);
    Onsubmit->setText(s.OnSubmit);
    submitchk->setChecked(s.SubmitOn);
    resetchk->setChecked(s.ResetOn);
    submitvalue->setText(s.SubmitValue);
    resetvalue->setText(s.ResetValue);
}

void TFormForm::readGrid()
{
    for (int r = 0; r < SG1->rowCount() && r + 1 < model_.gridRowCount(); ++r)
        for (int c = 0; c < 3; ++c)
            if (const QTableWidgetItem *item = SG1->item(r, c))
                model_.controls.grid[r + 1] = [&] {
                    OptionRow row = model_.controls.grid[r + 1];
                    (c == 0 ? row.text : c == 1 ? row.value : row.selected) = item->text();
                    return row;
                }();
}

void TFormForm::readControls()
{
    ElementControls &c = model_.controls;
    c.preText = PreElementText->text();
    c.postText = PostElementText->text();
    c.type = elementtype->currentText();
    c.name = elementname->text();
    c.value = elementval->text();
    c.checked = elementchk->currentText();
    c.onEvent = elementclick->text();
    c.size = elementsize->value();
    c.max = elementmax->value();
    readGrid();
}

void TFormForm::writeControls()
{
    writing_ = true;
    const ElementControls &c = model_.controls;
    elementnum->setText(c.counter);
    setText(PreElementText, c.preText);
    setText(PostElementText, c.postText);
    setText(elementtype, c.type);
    setText(elementname, c.name);
    setText(elementval, c.value);
    setText(elementchk, c.checked);
    setText(elementclick, c.onEvent);
    if (elementsize->value() != c.size)
        elementsize->setValue(c.size);
    if (elementmax->value() != c.max)
        elementmax->setValue(c.max);
    SizeLabel->setText(c.sizeLabel);
    onclickLabel->setText(c.eventLabel);

    PreElementText->setEnabled(c.preEnabled);
    PostElementText->setEnabled(c.postEnabled);
    elementtype->setEnabled(c.typeEnabled);
    elementsize->setEnabled(c.sizeEnabled);
    elementmax->setEnabled(c.maxEnabled);
    elementchk->setEnabled(c.checkedEnabled);
    elementname->setEnabled(c.nameEnabled);
    elementval->setEnabled(c.valueEnabled);
    elementclick->setEnabled(c.eventEnabled);

    const NavButtons &b = model_.buttons;
    FirstBtn->setEnabled(b.first);
    prevbtn->setEnabled(b.prev);
    NextBtn->setEnabled(b.next);
    LastBtn->setEnabled(b.last);
    addbtn->setEnabled(b.add);
    DeleteBtn->setEnabled(b.del);
    EditBtn->setEnabled(b.edit);
    postbtn->setEnabled(b.post);
    clearbtn->setEnabled(b.clear);

    const QList<OptionRow> &grid = c.grid;
    SG1->setHorizontalHeaderLabels({grid[0].text, grid[0].value, grid[0].selected});
    SG1->setRowCount(int(grid.size()) - 1);
    for (int r = 1; r < grid.size(); ++r) {
        const QString cells[3] = {grid[r].text, grid[r].value, grid[r].selected};
        for (int col = 0; col < 3; ++col) {
            QTableWidgetItem *item = SG1->item(r - 1, col);
            if (!item)
                SG1->setItem(r - 1, col, item = new QTableWidgetItem);
            if (item->text() != cells[col])
                item->setText(cells[col]);
        }
    }
    SG1->setVisible(c.gridVisible);
    if (c.gridVisible)
        SG1->raise();
    writing_ = false;
}

void TFormForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormForm::FormShow()
{
    PreviewMode = false;
    model_.FormShow();
    writeControls();
}

void TFormForm::FirstBtnClick()
{
    readControls();
    model_.FirstBtnClick();
    writeControls();
}

void TFormForm::prevbtnClick()
{
    readControls();
    model_.prevbtnClick();
    writeControls();
}

void TFormForm::NextBtnClick()
{
    readControls();
    model_.NextBtnClick();
    writeControls();
}

void TFormForm::LastBtnClick()
{
    readControls();
    model_.LastBtnClick();
    writeControls();
}

void TFormForm::addbtnClick()
{
    readControls();
    const QString message = model_.addbtnClick();
    writeControls();
    if (!message.isEmpty())
        dialogs().message(message, this);
}

void TFormForm::postbtnClick()
{
    readControls();
    const QString message = model_.postbtnClick();
    writeControls();
    if (!message.isEmpty())
        dialogs().message(message, this);
}

void TFormForm::EditBtnClick()
{
    readControls();
    model_.EditBtnClick();
    writeControls();
}

void TFormForm::clearbtnClick()
{
    readControls();
    model_.clearbtnClick();
    writeControls();
}

void TFormForm::DeleteBtnClick()
{
    readControls();
    model_.DeleteBtnClick();
    writeControls();
}

void TFormForm::elementtypeChange(const QString &text)
{
    if (writing_)
        return;
    readControls();
    model_.elementtypeChange(text);
    writeControls();
}

bool TFormForm::SG1KeyPress(QChar key, const QString &cellText)
{
    readGrid();
    const int row = SG1->currentRow() + 1;
    const int col = qMax(0, SG1->currentColumn());
    model_.setGridFocus(row, col);
    model_.setOptionCell(row, col, cellText);
    if (!model_.SG1KeyPress(key))
        return false;
    writeControls();
    SG1->setCurrentCell(model_.controls.gridRow - 1, model_.controls.gridCol);
    return true;
}

void TFormForm::SG1MouseDown(Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    readControls();
    model_.SG1RightMouseDown();
    writeControls();
}

void TFormForm::CancelbtnClick()
{
    reject();
}

void TFormForm::reject()
{
    FormHtml.clear();
    QDialog::reject();
}

void TFormForm::ApplyBtnClick()
{
    readControls();
    if (model_.Unposted) {
        dialogs().message(QStringLiteral("element not posted"), this);
        // A refused preview must not turn the next Apply into a preview.
        PreviewMode = false;
        return;
    }
    FormHtml.clear();
    FormHtml = buildFormHtml(settings(), model_.Elements, model_.ElementOptions, model_.LastIndex);
    if (PreviewMode) {
        ShowFormPreview(FormHtml);
        PreviewMode = false;
        return;
    }
    const QString preview = QDir::current().absoluteFilePath(previewFileName());
    if (QFile::exists(preview))
        QFile::remove(preview);
    accept();
}

void TFormForm::PreviewBtnClick()
{
    PreviewMode = true;
    ApplyBtnClick();
}

void TFormForm::ShowFormPreview(const QString &text)
{
    const QString path = QDir::current().absoluteFilePath(previewFileName());
    if (const Result written = writeFormPreview(path, text); !written) {
        dialogs().error(written.message, this);
        return;
    }
    if (!shell().openFile(path))
        dialogs().error(QStringLiteral("Failed to execute table preview"), this);
}

void TFormForm::openbtnClick()
{
    openState_.defaultExt = QStringLiteral("mff");
    openState_.filter = QStringLiteral("Mivor Form Files *.mff|*.mff");
    openState_.fileName = QStringLiteral("*.mff");
    if (!dialogs().openFile(openState_, this))
        return;
    FormFileData data;
    if (Result r = readFormFile(openState_.fileName, data); !r) {
        dialogs().error(r.message, this);
        return;
    }
    setSettings(data.settings);
    model_.openForm(data.LastIndex, data.Elements, data.ElementOptions);
    writeControls();
}

void TFormForm::savebtnClick()
{
    readControls();
    FormFileData data;
    data.settings = settings();
    data.LastIndex = model_.LastIndex;
    data.Elements = model_.Elements;
    data.ElementOptions = model_.ElementOptions;

    saveState_.defaultExt = QStringLiteral("mff");
    saveState_.filter = QStringLiteral("Mivor FormMaker Files *.mff|*.mff");
    saveState_.fileName = QStringLiteral("*.mff");
    if (!dialogs().saveFile(saveState_, this))
        return;
    if (Result r = writeFormFile(saveState_.fileName, data); !r)
        dialogs().error(r.message, this);
}
