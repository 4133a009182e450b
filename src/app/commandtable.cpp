#include "app/commandtable.h"

namespace commands {

namespace {

using markup::TagCommandId;

// Rows are written as a call chain so each one reads as its menu entry does.
struct Row : Command {
    Row(Id id, const char *name, const char *caption, Menu menu, Enabling enabling)
        : Command{id, QString::fromLatin1(name), QString::fromLatin1(caption), {}, false, menu,
                  Kind::Entry, Menu::None, false, false, Strip::None, {}, {}, 0, 0, 0, {},
                  ButtonStyle::Plain, enabling, std::nullopt, {}}
    {
    }
    Row &key(const char *k) { shortcut = QString::fromLatin1(k); return *this; }
    Row &shownKey(const char *k) { key(k); shortcutShownOnly = true; return *this; }
    Row &key2(const char *k) { alternateShortcut = QString::fromLatin1(k); return *this; }
    Row &sep() { separatorBefore = true; return *this; }
    Row &check(bool on) { kind = Kind::Check; checked = on; return *this; }
    Row &toggle(bool on) { kind = Kind::Toggle; checked = on; return *this; }
    Row &sub(Menu m) { kind = Kind::Submenu; opens = m; return *this; }
    Row &tagged(TagCommandId t) { tag = t; return *this; }
    Row &btn(Strip s, const char *n, const char *h, int bx, int by, int w = 33)
    {
        strip = s;
        button = QString::fromLatin1(n);
        hint = QString::fromLatin1(h);
        x = bx;
        y = by;
        width = w;
        return *this;
    }
    Row &main(const char *n, const char *h, int bx, int w = 33) { return btn(Strip::Main, n, h, bx, 0, w); }
    Row &html(const char *n, const char *h, int by) { return btn(Strip::Html, n, h, 0, by); }
    Row &text(const char *f) { face = QString::fromLatin1(f); return *this; }
    Row &style(ButtonStyle s) { buttonStyle = s; return *this; }
};

constexpr auto A = Enabling::Always;
constexpr auto D = Enabling::Document;

QList<Command> buildTable()
{
    using M = Menu;
    const QList<Row> rows{
        Row(Id::FileMenu, "", "&File", M::None, A).sub(M::File),
        Row(Id::New, "New1", "&New", M::File, A).main("NewBtn", "New", 0),
        Row(Id::NewWebPage, "NewWebPage1", "New &Web Page", M::File, A),
        Row(Id::Open, "Open1", "&Open...", M::File, A).key("Ctrl+O").main("OpenBtn", "Open", 33),
        Row(Id::Openwww, "Openwww1", "Open @ www...", M::File, A),
        Row(Id::Reopen, "Reopen1", "Reopen", M::File, A).sub(M::Reopen),
        Row(Id::Save, "Save1", "&Save", M::File, Enabling::Modified).key("Ctrl+S").sep().main("SaveBtn", "Save", 66),
        Row(Id::SaveAs, "SaveAs1", "S&ave As...", M::File, D).key("Ctrl+Shift+S"),
        Row(Id::Savewww, "Savewww1", "Save @ www...", M::File, Enabling::Ftp),
        Row(Id::SaveSelection, "SaveSelection1", "Save S&election...", M::File, Enabling::Selection)
            .main("SaveSelBtn", "Save Selection", 99),
        Row(Id::Close, "Close1", "&Close", M::File, D).key("Ctrl+W"),
        Row(Id::CloseAll, "CloseAll1", "Close &All", M::File, D),
        Row(Id::PrintSetup, "PrintSetup1", "Print S&etup...", M::File, D).sep().sub(M::PrintSetup),
        Row(Id::Portrait, "Portrait1", "&Portrait", M::PrintSetup, A).toggle(true),
        Row(Id::Landscape, "Landscape1", "&Landscape", M::PrintSetup, A).toggle(false),
        Row(Id::PrintPreview, "PrintPreview1", "&Print Preview...", M::File, D)
            .main("PreviewBtn", "Print Preview", 165),
        Row(Id::WebPrintPreview, "WebPrintPreview1", "&Web Page Print Preview...", M::File, Enabling::Off),
        Row(Id::Print, "Print1", "Prin&t", M::File, D).key("Ctrl+P").main("PrintBtn", "Print", 132),
        Row(Id::Exit, "Exit1", "E&xit", M::File, A).sep(),

        Row(Id::EditMenu, "", "&Edit", M::None, A).sub(M::Edit),
        Row(Id::Undo, "Undo1", "&Undo", M::Edit, Enabling::Undo).key("Ctrl+Z")
            .main("UndoBtn", "Undo Last Action", 345, 32),
        Row(Id::Redo, "Redo1", "&Redo", M::Edit, Enabling::Undo).key("Ctrl+Y").key2("Ctrl+Shift+Z")
            .main("RedoBtn", "Redo Last Undone Action", 378),
        Row(Id::Cut, "Cut1", "C&ut", M::Edit, Enabling::Selection).key("Ctrl+X").sep()
            .main("CutBtn", "Cut Selected Text", 204),
        Row(Id::Copy, "Copy1", "&Copy", M::Edit, Enabling::Selection).key("Ctrl+C")
            .main("CopyBtn", "Copy Selected Text", 237),
        Row(Id::CopyToSpike, "CopyToSpike1", "Copy To &Spike", M::Edit, Enabling::DocumentThenSelection)
            .key("Ctrl+K"),
        Row(Id::Paste, "Paste1", "&Paste", M::Edit, Enabling::Clipboard).key("Ctrl+V")
            .main("PasteBtn", "Paste", 270),
        Row(Id::Delete, "Delete1", "&Delete", M::Edit, Enabling::Selection),
        Row(Id::SelectAll, "SelectAll1", "&Select All", M::Edit, Enabling::Activation).key("Ctrl+A").sep(),
        Row(Id::SortSelection, "SortSelection1", "Sor&t Selection", M::Edit, Enabling::DocumentThenSelection)
            .sep(),
        Row(Id::Preferences, "Preferences1", "&Preferences", M::Edit, A).sep(),
        Row(Id::FtpSettings, "FTPSettings1", "&FTP Settings", M::Edit, A),

        Row(Id::HtmlMenu, "", "Html", M::None, A).sub(M::Html),
        Row(Id::Insert, "Insert1", "&Insert", M::Html, A).sub(M::Insert),
        Row(Id::Color, "Color1", "Color...", M::Insert, D).key("Ctrl+Alt+C"),
        Row(Id::NewLine, "BNewLine1", "<BR> New Line", M::Insert, D).key("Ctrl+N")
            .html("BreakBtn", "insert linespace <br>", 259).text("<BR>").tagged(TagCommandId::LineBreak),
        Row(Id::Space, "Space1", "&Space", M::Insert, D).key("Ctrl+Space")
            .html("SpaceBtn", "insert space", 358).text("SPC").tagged(TagCommandId::Space),
        Row(Id::Headlines, "HHeadlines1", "<H> &Headlines...", M::Insert, D).key("Ctrl+H"),
        Row(Id::Image, "Image1", "<IMG> I&mage", M::Insert, D).key("Ctrl+M").html("ImgBtn", "insert image", 94),
        Row(Id::Anchor, "AAnchor1", "<A> Anchor", M::Insert, D).shownKey("Ctrl+A")
            .html("AnchorBtn", "insert anchor <A>", 226).text("<A>"),
        Row(Id::Table, "Table1", "<&TABLE>", M::Insert, D).key("Ctrl+T").html("TableBtn", "insert table", 127),
        Row(Id::Font, "Font1", "<&FONT>", M::Insert, D).key("Ctrl+F").html("FontBtn", "insert font", 193).text("f"),
        Row(Id::Rule, "HRRule1", "<HR> &Rule", M::Insert, D).key("Ctrl+R")
            .html("HRuleBtn", "insert Horizontal rule", 325).text("<HR>"),
        Row(Id::Email, "email1", "&email...", M::Insert, D).key("Ctrl+E"),
        Row(Id::Form, "FormMenu1", "<FORM>", M::Insert, D).shownKey("Ctrl+F"),
        Row(Id::Frameset, "Frameset1", "Frameset", M::Insert, D).key("Ctrl+Alt+F"),
        Row(Id::Frame, "Frame1", "Frame", M::Insert, D).key("Shift+Alt+F"),
        Row(Id::Marquee, "Marquee1", "Marquee...", M::Insert, D).key("Ctrl+Q"),
        Row(Id::Javascript, "Javascript1", "&Javascript", M::Insert, D).sep().sub(M::Javascript),
        Row(Id::Direct, "Direct1", "&Direct", M::Javascript, A),
        Row(Id::FromFile, "FromFile1", "&From File", M::Javascript, A),
        Row(Id::Keywords, "Keywords1", "&Keywords", M::Insert, D).sep().sub(M::Keywords),
        Row(Id::Meta, "META1", "<META>", M::Keywords, A),
        Row(Id::EditIgnoreList, "EditIgnoreList1", "Edit Ignore List", M::Keywords, A),
        Row(Id::Format, "Format1", "&Format", M::Html, A).sub(M::Format),
        Row(Id::Paragraph, "Paragraph1", "<P> &Paragraph...", M::Format, D).key("Ctrl+Alt+P")
            .html("ParaBtn", "insert <P> paragraph", 160).text("<P>"),
        Row(Id::Blockquote, "Blockquote1", "<BLOCK&QUOTE>", M::Format, D).key("Ctrl+Alt+B")
            .tagged(TagCommandId::Blockquote),
        Row(Id::Centre, "CENTER1", "<CENTER>", M::Format, D).key("Ctrl+Shift+C")
            .html("CenterBtn", "<CENTER>", 292).text("<C>").tagged(TagCommandId::Centre),
        Row(Id::Bold, "Bold1", "<B> &Bold", M::Format, D).key("Ctrl+B")
            .html("BoldBtn", "insert bold", 391).tagged(TagCommandId::Bold),
        Row(Id::Italic, "Italic1", "<I> &Italic", M::Format, D).key("Ctrl+I")
            .html("ItalicBtn", "insert italic", 424).tagged(TagCommandId::Italic),
        Row(Id::Underline, "Underline1", "<U> &Underline", M::Format, D).key("Ctrl+U")
            .html("UnderLineBtn", "insert underline", 457).tagged(TagCommandId::Underline),
        Row(Id::List, "List1", "&List", M::Format, D).sep(),
        Row(Id::ListItem, "ListItem1", "List I&tem", M::Format, D).key("Ctrl+L").tagged(TagCommandId::ListItem),

        Row(Id::SearchMenu, "", "&Search", M::None, A).sub(M::Search),
        Row(Id::Find, "Find1", "&Find...", M::Search, D).main("FindBtn", "Find Text", 411),
        Row(Id::FindInFiles, "FindinFiles1", "Fi&nd in Files...", M::Search, D).key("Ctrl+Shift+F"),
        Row(Id::Replace, "Replace1", "&Replace...", M::Search, D).main("ReplaceBtn", "Replace Text", 444),
        // The last search again, from the caret of the current document.
        Row(Id::FindNext, "FindNext1", "Find Ne&xt", M::Search, D).key("F3").sep(),
        Row(Id::CheckHtml, "CheckHtml1", "Check &HTML", M::Search, D),
        Row(Id::GoToLine, "GoToLine1", "&Go to Line...", M::Search, D).key("Ctrl+G").sep(),
        // The tag paired with the one at the caret (Ctrl+M is the image's).
        Row(Id::MatchingTag, "GoToMatchingTag1", "Go to &Matching Tag", M::Search, D).key("Ctrl+Shift+M"),

        Row(Id::ViewMenu, "", "&View", M::None, A).sub(M::View),
        Row(Id::Toolbar, "Toolbar1", "Toolbar", M::View, A).check(true),
        Row(Id::StatusBar, "StatusBar2", "&Status Bar", M::View, A).check(true),
        Row(Id::HtmlToolbar, "HtmlToolbar1", "&Html Toolbar", M::View, A).check(true),
        Row(Id::HtmlPreview, "HtmlPreview1", "Html &Preview", M::View, D).check(true).sep()
            .html("BrowseBtn", "Html Preview", 0),
        Row(Id::ViewInBrowser, "ViewinBrowser1", "&View in Browser", M::View, D)
            .main("htmlBtn", "View in Web Browser", 524),
        Row(Id::ShowSearchResults, "ShowSearchResults1", "Sh&ow Search Results", M::View, D).toggle(false).sep(),
        Row(Id::ShowSpike, "ShowSpike1", "&Show Spike", M::View, D).main("SpikeBtn1", "Spike", 303),
        Row(Id::Resources, "Resources1", "Image &Resources", M::View, D),
        Row(Id::WordWrap, "WordWrap1", "&Word Wrap", M::View, D).check(false).sep()
            .main("wrapbtn", "Wrap text to window", 485).style(ButtonStyle::HandlerChecks),
        Row(Id::LineNumbering, "LineNumbering1", "&Line Numbering", M::View, D).check(false),
        // The current document's text larger or smaller, as Ctrl+wheel does.
        Row(Id::ZoomIn, "ZoomIn1", "Zoom &In", M::View, D).key("Ctrl++").key2("Ctrl+=").sep(),
        Row(Id::ZoomOut, "ZoomOut1", "Zoom O&ut", M::View, D).key("Ctrl+-"),
        Row(Id::ZoomReset, "ZoomReset1", "Reset &Zoom", M::View, D).key("Ctrl+0"),

        Row(Id::Arrange, "Arrange1", "&Arrange", M::None, D).sub(M::Arrange),
        Row(Id::Cascade, "Cascade1", "&Cascade", M::Arrange, A),
        Row(Id::TileVertical, "ile1", "Tile &Vertical", M::Arrange, A),
        Row(Id::TileHorizontal, "ileHorizontal1", "Tile &Horizontal", M::Arrange, A),
        Row(Id::MinimizeAll, "MinimizeAll1", "&Minimize All", M::Arrange, A),
        Row(Id::ArrangeAll, "ArrangeAll1", "&Arrange All", M::Arrange, A),

        Row(Id::Windows, "Windows1", "Windows", M::None, D).sub(M::Windows),

        Row(Id::HelpMenu, "", "&Help", M::None, A).sub(M::Help),
        Row(Id::Help, "Help2", "Help", M::Help, A),
        Row(Id::About, "About1", "&About...", M::Help, A),

        Row(Id::ColourSwatch, "", "", M::None, D)
            .html("Shape1", "insert color: left click for color dialog: right click to insert this color", 34),
        Row(Id::ColourPicker, "", "", M::None, D).html("colpicBtn", "color picker", 61).style(ButtonStyle::Toggle),
    };
    return {rows.cbegin(), rows.cend()};
}

} // namespace

const QList<Command> &table()
{
    static const QList<Command> rows = buildTable();
    return rows;
}

const Command &command(Id id)
{
    // Rows are declared in the order of the ids.
    const Command &c = table().at(int(id));
    Q_ASSERT(c.id == id);
    return c;
}

const Command *byName(const QString &objectName)
{
    if (objectName.isEmpty())
        return nullptr;
    for (const Command &c : table())
        if (c.name == objectName || c.button == objectName)
            return &c;
    return nullptr;
}

} // namespace commands
