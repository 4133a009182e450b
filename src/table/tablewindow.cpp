#include "table/tablewindow.h"

#include "imaging/pictureloader.h"
#include "widgets/colourswatch.h"
#include "markup/fontdialog.h"
#include "markup/paragraphdialog.h"
#include "widgets/radiogroup.h"
#include "widgets/spinfield.h"
#include "widgets/windowplacing.h"
#include "table/tablewidgets.h"
#include "table/textboxtext.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

using namespace table;

namespace {

const QString CheckHint = QStringLiteral("Check to select");
const QString ClearHint = QStringLiteral("Double Click To Clear");
const QColor Cream(255, 251, 240);

constexpr int ToolRowHeight = 27;
constexpr int SplitterHeight = 4;
constexpr int BottomBarHeight = 30;

template <class W>
W *place(W *w, int x, int y, int width, int height)
{
    w->setGeometry(x, y, width, height);
    return w;
}

QLabel *label(QWidget *parent, const QString &text, int x, int y, int width, int height = 22)
{
    return place(new QLabel(text, parent), x, y, width, height);
}

SpinField *spin(QWidget *parent, int min, int max, int value, int x, int y, int width)
{
    auto *s = place(new SpinField(parent), x, y, width, 24);
    s->setLimits(min, max);
    s->setFieldValue(value);
    return s;
}

QToolButton *toolButton(QWidget *parent, const QString &text, int x, int width, const QString &hint = {})
{
    auto *b = place(new QToolButton(parent), x, 1, width, 24);
    b->setText(text);
    b->setToolTip(hint);
    b->setAutoRaise(false);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    return b;
}

ColourSwatch *swatch(QWidget *parent, int x, int y, QSize size = QSize(41, 21))
{
    auto *s = new ColourSwatch(parent, size);
    s->move(x, y);
    s->setEnabled(false);
    return s;
}

// Small drawn icons for the picture and spike buttons.
QIcon pictureIcon()
{
    QPixmap pm(18, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(200, 230, 255));
    p.drawRect(1, 1, 16, 14);
    p.setBrush(QColor(40, 150, 60));
    p.drawPolygon(QPolygon({QPoint(2, 14), QPoint(7, 7), QPoint(11, 11), QPoint(13, 9), QPoint(16, 14)}));
    p.setBrush(QColor(250, 200, 0));
    p.drawEllipse(QPoint(12, 5), 2, 2);
    return QIcon(pm);
}

QIcon spikeIcon()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(8, 1), QPointF(8, 13));
    p.setBrush(Qt::darkGray);
    p.drawRect(QRectF(2, 13, 12, 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 6, 8, 4));
    return QIcon(pm);
}

QLineEdit *editOf(SpinField *s)
{
    return s->findChild<QLineEdit *>();
}

void setSpin(SpinField *s, int value, int min, int max, bool enabled = true)
{
    const QSignalBlocker b1(s);
    const QSignalBlocker b2(editOf(s));
    s->setLimits(min, max);
    if (s->fieldValue() != value || editOf(s)->text().trimmed().isEmpty())
        s->setFieldValue(value);
    s->setEnabled(enabled);
}

void setChecked(QCheckBox *box, bool on)
{
    const QSignalBlocker b(box);
    box->setChecked(on);
}

void setSwatch(ColourSwatch *s, quint32 colour, bool enabled)
{
    const QSignalBlocker b(s);
    s->setFill(colour);
    s->setEnabled(enabled);
}

void setIndex(RadioGroup *g, int index)
{
    const QSignalBlocker b(g);
    if (g->itemIndex() != index)
        g->setItemIndex(index);
}

// Calls `onChange` with the field's number whenever its text changes.
template <class F>
void onSpinChange(SpinField *s, QObject *context, F onChange)
{
    QObject::connect(editOf(s), &QLineEdit::textChanged, context, [s, onChange] { onChange(s->fieldValue()); });
}

} // namespace

Thtmltabletemp::Thtmltabletemp(TableEditorHooks hooks, TParabox *paragraphDialog,
                               THtmlFont *fontDialog, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , hooks_(std::move(hooks))
    , paragraphDialog_(paragraphDialog ? paragraphDialog : new TParabox(this))
    , fontDialog_(fontDialog ? fontDialog : new THtmlFont(this))
{
    setWindowTitle(QStringLiteral("Table Editor"));
    setFixedSize(705, 473);
    buildTableProperties();
    buildCellProperties();
    buildTextArea();
    buildBottomBar();
    connectControls();
    layoutTextArea();
    mirror();
    // Nothing is selected yet: the labels keep their first captions.
    GridLabel->setText(QStringLiteral("Table(Col, Row)"));
    GridSelect->setText(QStringLiteral("Selectect Cell(Col, Row)"));
    centreOnOwnerWhenShown(this);
}

Thtmltabletemp::~Thtmltabletemp() = default;

// ---- building ---------------------------------------------------------------

void Thtmltabletemp::buildTableProperties()
{
    auto *g = TablePropsBox = place(new QGroupBox(QStringLiteral(" Table Properties "), this), 4, 2, 346, 265);

    label(g, QStringLiteral("Columns"), 8, 22, 56);
    TabCols = spin(g, 1, MaxTableSize, 1, 64, 21, 50);
    label(g, QStringLiteral("Rows"), 122, 22, 40);
    TabRows = spin(g, 1, MaxTableSize, 1, 160, 21, 50);
    TabCols->setToolTip(QStringLiteral("Max 20"));
    TabRows->setToolTip(QStringLiteral("Max 20"));
    label(g, QStringLiteral("Border"), 220, 22, 50);
    TabBorder = spin(g, 0, 100, 1, 276, 21, 56);

    TabColorChk = place(new QCheckBox(QStringLiteral("Colour"), g), 8, 54, 70, 22);
    TabColor = swatch(g, 80, 55);
    TabLineChk = place(new QCheckBox(QStringLiteral("Line"), g), 160, 54, 60, 22);
    LineColor = swatch(g, 226, 55);
    LightDark = place(new QCheckBox(QStringLiteral("Light"), g), 8, 82, 70, 22);
    TabLight = swatch(g, 80, 83);
    label(g, QStringLiteral("Dark"), 180, 82, 40);
    TabDark = swatch(g, 226, 83);
    for (QCheckBox *c : {TabColorChk, TabLineChk, LightDark})
        c->setToolTip(CheckHint);

    WidthRG = place(new RadioGroup(QStringLiteral(" Width "), {QStringLiteral("%"), QStringLiteral("Pixels")}, 1, g),
                    8, 106, 84, 62);
    TabWidth = spin(g, 0, PixelLimit, 0, 96, 128, 56);
    HeightRG = place(new RadioGroup(QStringLiteral(" Height "), {QStringLiteral("%"), QStringLiteral("Pixels")}, 1, g),
                     176, 106, 84, 62);
    TabHeight = spin(g, 0, PixelLimit, 0, 264, 128, 56);

    label(g, QStringLiteral("Spacing"), 8, 173, 56);
    TabSpacing = spin(g, 0, 0, 0, 64, 172, 50);
    label(g, QStringLiteral("Padding"), 122, 173, 56);
    TabPadding = spin(g, 0, 0, 0, 178, 172, 50);

    TabAlignRG = place(new RadioGroup(QStringLiteral(" Alignment "),
                                      {QStringLiteral("None"), QStringLiteral("Left"), QStringLiteral("Centre"),
                                       QStringLiteral("Right")},
                                      2, g),
                       8, 200, 160, 60);
    SpeedButton3 = place(dialogButton(QStringLiteral("BG Image"), g), 176, 200, 78, 24);
    SpeedButton4 = place(dialogButton(QStringLiteral("Clear"), g), 258, 200, 78, 24);
    SpeedButton4->setToolTip(QStringLiteral("Background Image"));
    Image1 = place(new ClickLabel(g), 176, 228, 48, 32);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::Box);
    Image1->setToolTip(ClearHint);
    BGImageLabel = place(new QLabel(g), 228, 228, 112, 32);
    BGImageLabel->setWordWrap(true);
    BGImageLabel->setToolTip(ClearHint);
}

void Thtmltabletemp::buildCellProperties()
{
    auto *g = CellPropsBox = place(new QGroupBox(QStringLiteral(" Selected Cell Properties "), this), 354, 2, 347, 265);

    RadioGroup5 = place(new RadioGroup(QStringLiteral(" Width "), {QStringLiteral("%"), QStringLiteral("Pixels")}, 1, g),
                        8, 20, 84, 62);
    cellwidth = spin(g, 0, PixelLimit, 0, 96, 42, 56);
    RadioGroup6 = place(new RadioGroup(QStringLiteral(" Height "), {QStringLiteral("%"), QStringLiteral("Pixels")}, 1, g),
                        176, 20, 84, 62);
    CellHeight = spin(g, 0, PixelLimit, 0, 264, 42, 56);

    CellColorCheck = place(new QCheckBox(QStringLiteral("Colour"), g), 8, 86, 70, 22);
    CellColorCheck->setToolTip(CheckHint);
    Shape5 = swatch(g, 80, 87);

    horzalign = place(new RadioGroup(QStringLiteral(" Horiziontal Align "),
                                     {QStringLiteral("Left (Default)"), QStringLiteral("Centre"), QStringLiteral("Right")},
                                     1, g),
                      8, 112, 160, 82);
    VertAlign = place(new RadioGroup(QStringLiteral(" Vertical Align "),
                                     {QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Bottom")}, 1, g),
                      176, 112, 160, 82);

    SpeedButton5 = place(dialogButton(QStringLiteral("BG Image"), g), 8, 200, 78, 24);
    SetCellBtn = place(dialogButton(QStringLiteral("Set Cell"), g), 90, 200, 78, 24);
    resetcellbtn = place(dialogButton(QStringLiteral("Reset Cell"), g), 172, 200, 84, 24);
    picBtn = place(new QToolButton(g), 262, 200, 30, 24);
    picBtn->setIcon(pictureIcon());
    picBtn->setToolTip(QStringLiteral("Insert image"));
    Image2 = place(new ClickLabel(g), 8, 228, 48, 32);
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setFrameShape(QFrame::Box);
    Image2->setToolTip(ClearHint);
    Label11 = place(new QLabel(g), 60, 228, 280, 32);
    Label11->setWordWrap(true);
}

void Thtmltabletemp::buildTextArea()
{
    Panel3 = new QWidget(this);
    Panel3->setAutoFillBackground(true);
    auto *p = Panel3;
    SaveTableBtn = place(dialogButton(QStringLiteral("Save"), p), 2, 1, 46, 24);
    OpenTableBtn = place(dialogButton(QStringLiteral("Load"), p), 50, 1, 46, 24);
    BoldBtn = toolButton(p, QStringLiteral("B"), 102, 24);
    ItalicBtn = toolButton(p, QStringLiteral("I"), 128, 24);
    QFont italic = ItalicBtn->font();
    italic.setItalic(true);
    ItalicBtn->setFont(italic);
    UnderlineBtn = toolButton(p, QStringLiteral("U"), 154, 24);
    QFont underline = UnderlineBtn->font();
    underline.setUnderline(true);
    UnderlineBtn->setFont(underline);
    FontBtn = toolButton(p, QStringLiteral("f"), 180, 24);
    FontBtn->setFont(italic);
    Shape6 = new ColourSwatch(p, QSize(24, 21));
    Shape6->move(207, 2);
    Shape6->setOpensChooser(false);
    Shape6->setToolTip(QStringLiteral("insert color"));
    Paragraph = toolButton(p, QStringLiteral("<P>"), 234, 36, QStringLiteral("insert paragraph"));
    SpeedButton2 = toolButton(p, QStringLiteral("<BR>"), 272, 44);
    TabSpikeBtn = toolButton(p, QString(), 318, 26, QStringLiteral("Spike"));
    TabSpikeBtn->setIcon(spikeIcon());
    label(p, QStringLiteral("Colspan"), 352, 2, 56);
    colspin = spin(p, 0, 1, 1, 408, 1, 50);
    label(p, QStringLiteral("Rowspan"), 466, 2, 60);
    rowspin = spin(p, 0, 1, 1, 526, 1, 50);
    Gridup = place(new ClickLabel(QStringLiteral("▲"), p), 676, 1, 24, 24);
    Gridup->setAlignment(Qt::AlignCenter);
    Gridup->setFrameShape(QFrame::Panel);
    Gridup->setFrameShadow(QFrame::Raised);
    Gridup->setCursor(Qt::PointingHandCursor);

    Edit1 = new CellTextBox(p);
    Edit1->setToolTip(QStringLiteral("2048 character limit - double click to enlarge"));
    Splitter1 = new QWidget(p);
    Splitter1->setCursor(Qt::SplitVCursor);
    Splitter1->installEventFilter(this);

    StringGrid1 = new TableGrid(p);
    QPalette pal = StringGrid1->palette();
    pal.setColor(QPalette::Base, Cream);
    StringGrid1->setPalette(pal);
    StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);

    PopupMenu1 = new QMenu(this);
    ClearColSpan1 = PopupMenu1->addAction(QStringLiteral("Clear ColSpan"));
    ClearRowSpan1 = PopupMenu1->addAction(QStringLiteral("Clear RowSpan"));
    ClearColSpan1->setVisible(false);
    ClearRowSpan1->setVisible(false);
    const QStringList horizontal{QStringLiteral("Left"), QStringLiteral("Centre"), QStringLiteral("Right")};
    const QStringList vertical{QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Bottom")};
    const auto addAlignMenu = [&](const QString &caption, bool columns) {
        QMenu *m = PopupMenu1->addMenu(caption);
        QMenu *h = m->addMenu(QStringLiteral("Horizontal Align"));
        QMenu *v = m->addMenu(QStringLiteral("Vertical Align"));
        for (int i = 0; i < 3; ++i) {
            connect(h->addAction(horizontal[i]), &QAction::triggered, this, [this, columns, i] {
                columns ? SetColumnAlign(AlignKind::Horizontal, i) : SetRowAlign(AlignKind::Horizontal, i);
            });
            connect(v->addAction(vertical[i]), &QAction::triggered, this, [this, columns, i] {
                columns ? SetColumnAlign(AlignKind::Vertical, i) : SetRowAlign(AlignKind::Vertical, i);
            });
        }
    };
    addAlignMenu(QStringLiteral("Column Align"), true);
    addAlignMenu(QStringLiteral("Row Align "), false);
}

void Thtmltabletemp::buildBottomBar()
{
    const int y = height() - BottomBarHeight + 3;
    SpeedButton1 = place(dialogButton(QStringLiteral("&Cancel"), this), 4, y, 80, 24);
    GridLabel = label(this, QString(), 96, y + 1, 170);
    GridSelect = label(this, QString(), 270, y + 1, 230);
    TablePrevBtn = place(dialogButton(QStringLiteral("&Preview"), this), 530, y, 82, 24);
    ApplyBtn = place(dialogButton(QStringLiteral("&Apply"), this), 618, y, 82, 24);
}

void Thtmltabletemp::connectControls()
{
    // Table properties: only the user's edits reach the model.
    onSpinChange(TabCols, this, [this](int v) { model_.TabColsChange(v); mirror(); });
    onSpinChange(TabRows, this, [this](int v) { model_.TabRowsChange(v); mirror(); });
    onSpinChange(TabBorder, this, [this](int v) { model_.setTabBorder(v); mirror(); });
    onSpinChange(TabWidth, this, [this](int v) { model_.setTabWidth(v); mirror(); });
    onSpinChange(TabHeight, this, [this](int v) { model_.setTabHeight(v); mirror(); });
    onSpinChange(TabSpacing, this, [this](int v) { model_.setTabSpacing(v); mirror(); });
    onSpinChange(TabPadding, this, [this](int v) { model_.setTabPadding(v); mirror(); });
    connect(WidthRG, &RadioGroup::itemClicked, this, [this](int i) { model_.WidthRGClick(i); mirror(); });
    connect(HeightRG, &RadioGroup::itemClicked, this, [this](int i) { model_.HeightRGClick(i); mirror(); });
    connect(TabAlignRG, &RadioGroup::itemClicked, this, [this](int i) { model_.setTabAlign(i); mirror(); });
    connect(TabColorChk, &QCheckBox::clicked, this, [this](bool on) { model_.TabColorChkClick(on); mirror(); });
    connect(TabLineChk, &QCheckBox::clicked, this, [this](bool on) { model_.TabLineChkClick(on); mirror(); });
    connect(LightDark, &QCheckBox::clicked, this, [this](bool on) { model_.LightDarkClick(on); mirror(); });
    connect(TabColor, &ColourSwatch::fillChanged, this, [this](quint32 c) { model_.setTabColour(c); });
    connect(LineColor, &ColourSwatch::fillChanged, this, [this](quint32 c) { model_.setLineColour(c); });
    connect(TabLight, &ColourSwatch::fillChanged, this, [this](quint32 c) { model_.setLightColour(c); });
    connect(TabDark, &ColourSwatch::fillChanged, this, [this](quint32 c) { model_.setDarkColour(c); });
    connect(SpeedButton3, &QPushButton::clicked, this, &Thtmltabletemp::SpeedButton3Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &Thtmltabletemp::SpeedButton4Click);
    connect(Image1, &ClickLabel::doubleClicked, this, &Thtmltabletemp::Image1DblClick);

    // Cell panel.
    onSpinChange(cellwidth, this, [this](int v) { model_.setCellWidth(v); mirror(); });
    onSpinChange(CellHeight, this, [this](int v) { model_.setCellHeight(v); mirror(); });
    connect(RadioGroup5, &RadioGroup::itemClicked, this, [this](int i) { model_.RadioGroup5Click(i); mirror(); });
    connect(RadioGroup6, &RadioGroup::itemClicked, this, [this](int i) { model_.RadioGroup6Click(i); mirror(); });
    connect(CellColorCheck, &QCheckBox::clicked, this, [this](bool on) { model_.CellColorCheckClick(on); mirror(); });
    connect(Shape5, &ColourSwatch::fillChanged, this, [this](quint32 c) { model_.setCellColour(c); });
    connect(horzalign, &RadioGroup::itemClicked, this, [this](int i) { model_.setHorzAlign(i); });
    connect(VertAlign, &RadioGroup::itemClicked, this, [this](int i) { model_.setVertAlign(i); });
    connect(SpeedButton5, &QPushButton::clicked, this, &Thtmltabletemp::SpeedButton5Click);
    connect(SetCellBtn, &QPushButton::clicked, this, &Thtmltabletemp::SetCellBtnClick);
    connect(resetcellbtn, &QPushButton::clicked, this, &Thtmltabletemp::resetcellbtnClick);
    connect(picBtn, &QToolButton::clicked, this, &Thtmltabletemp::picBtnClick);
    connect(Image2, &ClickLabel::doubleClicked, this, &Thtmltabletemp::Image2DblClick);

    // Cell text area.
    onSpinChange(colspin, this, [this](int v) { model_.colspinChange(v); mirror(); });
    onSpinChange(rowspin, this, [this](int v) { model_.rowspinChange(v); mirror(); });
    connect(Edit1, &QPlainTextEdit::textChanged, this, [this] {
        if (mirroring_)
            return;
        model_.Edit1Change(cellTextFromBoxText(Edit1->toPlainText()));
        mirrorGrid();
    });
    connect(Edit1, &CellTextBox::doubleClicked, this, &Thtmltabletemp::Edit1DblClick);
    connect(SaveTableBtn, &QPushButton::clicked, this, &Thtmltabletemp::SaveTableBtnClick);
    connect(OpenTableBtn, &QPushButton::clicked, this, &Thtmltabletemp::OpenTableBtnClick);
    connect(BoldBtn, &QToolButton::clicked, this, &Thtmltabletemp::BoldBtnClick);
    connect(ItalicBtn, &QToolButton::clicked, this, &Thtmltabletemp::ItalicBtnClick);
    connect(UnderlineBtn, &QToolButton::clicked, this, &Thtmltabletemp::UnderlineBtnClick);
    connect(FontBtn, &QToolButton::clicked, this, &Thtmltabletemp::FontBtnClick);
    connect(Paragraph, &QToolButton::clicked, this, &Thtmltabletemp::ParagraphClick);
    connect(SpeedButton2, &QToolButton::clicked, this, &Thtmltabletemp::SpeedButton2Click);
    connect(Shape6, &ColourSwatch::mousePressed, this, &Thtmltabletemp::Shape6MouseDown);
    connect(TabSpikeBtn, &QToolButton::clicked, this, &Thtmltabletemp::TabSpikeBtnClick);
    connect(Gridup, &ClickLabel::pressed, this, &Thtmltabletemp::GridupClick);

    connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (!mirroring_ && row >= 0 && column >= 0)
            gridCellChosen(column, row);
    });
    connect(StringGrid1, &TableGrid::focusedCellPressed, this, [this] {
        gridCellChosen(StringGrid1->currentColumn(), StringGrid1->currentRow());
    });
    connect(StringGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(at)); });
    connect(ClearColSpan1, &QAction::triggered, this, &Thtmltabletemp::ClearColSpan1Click);
    connect(ClearRowSpan1, &QAction::triggered, this, &Thtmltabletemp::ClearRowSpan1Click);

    connect(SpeedButton1, &QPushButton::clicked, this, &Thtmltabletemp::SpeedButton1Click);
    connect(TablePrevBtn, &QPushButton::clicked, this, &Thtmltabletemp::TablePrevBtnClick);
    connect(ApplyBtn, &QPushButton::clicked, this, &Thtmltabletemp::ApplyBtnClick);
}

// The text area lies along the bottom, or over the whole window above the
// bottom bar once raised. The box keeps its height; the grid takes the rest.
void Thtmltabletemp::layoutTextArea()
{
    const int bottom = height() - BottomBarHeight;
    const int top = areaRaised_ ? 0 : bottom - TextAreaHeight;
    Panel3->setGeometry(0, top, width(), bottom - top);
    Panel3->raise();
    const int w = Panel3->width();
    Edit1->setGeometry(2, ToolRowHeight, w - 4, editHeight_);
    const int handleTop = ToolRowHeight + editHeight_;
    Splitter1->setGeometry(2, handleTop, w - 4, SplitterHeight);
    const int gridTop = handleTop + SplitterHeight;
    const int gridHeight = Panel3->height() - gridTop - 1;
    StringGrid1->setGeometry(2, gridTop, w - 4, std::max(0, gridHeight));
    StringGrid1->setVisible(gridHeight > 0);
}

void Thtmltabletemp::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutTextArea();
}

// Dragging the border between the text box and the grid.
bool Thtmltabletemp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Splitter1) {
        // Every event of the splitter passes here; only mouse events are one.
        auto *mouse = dynamic_cast<QMouseEvent *>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            dragStartY_ = int(mouse->globalPosition().y());
            dragStartHeight_ = editHeight_;
            return true;
        case QEvent::MouseMove:
            if (dragStartY_ >= 0) {
                const int room = Panel3->height() - ToolRowHeight - SplitterHeight - 1;
                editHeight_ = std::clamp(dragStartHeight_ + int(mouse->globalPosition().y()) - dragStartY_,
                                         CellTextBox::ShrunkHeight, std::max(CellTextBox::ShrunkHeight, room));
                layoutTextArea();
            }
            return true;
        case QEvent::MouseButtonRelease:
            dragStartY_ = -1;
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- mirroring ----------------------------------------------------------------

void Thtmltabletemp::mirror()
{
    const bool wasMirroring = mirroring_;
    mirroring_ = true;
    const TTableProperties &p = model_.properties();
    setSpin(TabCols, p.Cols, 1, MaxTableSize);
    setSpin(TabRows, p.Rows, 1, MaxTableSize);
    setSpin(TabBorder, p.Border, 0, 100);
    setSpin(TabWidth, p.Width, 0, model_.tabWidthMax());
    setSpin(TabHeight, p.Height, 0, model_.tabHeightMax());
    setSpin(TabSpacing, p.Spacing, 0, 0);
    setSpin(TabPadding, p.Padding, 0, 0);
    setIndex(WidthRG, p.WidthUnit);
    setIndex(HeightRG, p.HeightUnit);
    setIndex(TabAlignRG, p.Align);
    setChecked(TabColorChk, p.ColourOn);
    setChecked(TabLineChk, p.LineOn);
    setChecked(LightDark, p.LightDarkOn);
    setSwatch(TabColor, p.Colour, p.ColourOn);
    setSwatch(LineColor, p.LineColour, p.LineOn);
    setSwatch(TabLight, p.LightColour, p.LightDarkOn);
    setSwatch(TabDark, p.DarkColour, p.LightDarkOn);
    BGImageLabel->setText(p.Background);
    showTableThumbnail();

    const CellPanel &c = model_.panel();
    setSpin(cellwidth, c.Width, 0, c.WidthMax);
    setSpin(CellHeight, c.Height, 0, c.HeightMax);
    setIndex(RadioGroup5, c.WidthPercent ? PercentUnit : PixelsUnit);
    setIndex(RadioGroup6, c.HeightPercent ? PercentUnit : PixelsUnit);
    setChecked(CellColorCheck, c.ColourOn);
    setSwatch(Shape5, c.Colour, c.ColourOn);
    setIndex(horzalign, c.HAlign);
    setIndex(VertAlign, c.VAlign);
    Label11->setText(c.Background);
    Label11->setToolTip(c.Background);
    showCellThumbnail();
    setSpin(colspin, c.ColSpan, 0, c.ColSpanMax, c.ColSpanEnabled);
    setSpin(rowspin, c.RowSpan, 0, c.RowSpanMax, c.RowSpanEnabled);
    ClearColSpan1->setVisible(model_.clearColSpanVisible());
    ClearRowSpan1->setVisible(model_.clearRowSpanVisible());

    Edit1->setEnabled(model_.textBoxEnabled());
    // Rewriting an unchanged text would move the user's caret.
    if (cellTextFromBoxText(Edit1->toPlainText()) != model_.textBoxText())
        Edit1->setPlainText(boxTextFromCellText(model_.textBoxText()));
    GridLabel->setText(model_.gridLabel());
    GridSelect->setText(model_.gridSelect());
    mirrorGrid();
    mirroring_ = wasMirroring;
}

void Thtmltabletemp::mirrorGrid()
{
    const bool wasMirroring = mirroring_;
    mirroring_ = true;
    const QSignalBlocker block(StringGrid1);
    if (StringGrid1->columnCount() != model_.colCount())
        StringGrid1->setColumnCount(model_.colCount());
    if (StringGrid1->rowCount() != model_.rowCount())
        StringGrid1->setRowCount(model_.rowCount());
    for (int col = 0; col < model_.colCount(); ++col) {
        for (int row = 0; row < model_.rowCount(); ++row) {
            QTableWidgetItem *item = StringGrid1->item(row, col);
            if (!item) {
                item = new QTableWidgetItem;
                StringGrid1->setItem(row, col, item);
            }
            const QString text = model_.cellText(col, row);
            if (item->text() != text)
                item->setText(text);
        }
    }
    if (StringGrid1->currentRow() != model_.focusRow() || StringGrid1->currentColumn() != model_.focusCol())
        StringGrid1->setCurrentCell(model_.focusRow(), model_.focusCol());
    mirroring_ = wasMirroring;
}

// A picture that cannot be shown is reported once; the other controls of
// the panel are filled all the same.
void Thtmltabletemp::showTableThumbnail()
{
    const QString ref = model_.properties().Background;
    if (ref == tableThumbRef_)
        return;
    tableThumbRef_ = ref;
    if (ref.isEmpty()) {
        Image1->clear();
        return;
    }
    const PictureResult picture = loadPicture(ref);
    if (!picture.ok) {
        Image1->clear();
        dialogs().error(picture.message, this);
        return;
    }
    showThumbnail(Image1, picture.value);
}

void Thtmltabletemp::showCellThumbnail()
{
    const QString ref = model_.panel().Background;
    if (ref == cellThumbRef_)
        return;
    cellThumbRef_ = ref;
    if (ref.isEmpty()) {
        Image2->clear();
        return;
    }
    const PictureResult picture = loadPicture(ref);
    if (!picture.ok) {
        Image2->clear();
        dialogs().error(picture.message, this);
        return;
    }
    showThumbnail(Image2, picture.value);
}
