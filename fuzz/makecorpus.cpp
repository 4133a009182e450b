// Writes the seed corpora of the fuzz targets with the program's own
// writers, so every seed is a file the program makes or reads in real use.
// Pictures (JPEG, GIF) come from ImageMagick, see scripts/fuzz-corpus.sh.
//     mivor_fuzz_corpus <fuzz/corpus>
#include "settings/settingscodec.h"
#include "settings/settingsstore.h"
#include "documents/textfile.h"
#include "formmaker/formfile.h"
#include "table/tablefile.h"
#include "table/tablemodel.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

QString root;

void put(const char *target, const char *name, const QByteArray &bytes)
{
    const QString folder = root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(folder);
    QFile f(folder + QLatin1Char('/') + QLatin1String(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s/%s\n", target, name);
        std::exit(1);
    }
}

const QString Home = QStringLiteral("/home/user/.config/mivor/");

void settingsSeeds()
{
    const QByteArray defaults = joinSettingsLines(defaultSettingsLines());
    put("app_settings", "first-start.dvf", scrambleSettings(defaults, Home + "mivor.ini", SettingsKey));
    MivorSettings s;
    s.EditorFontName = QStringLiteral("DejaVu Sans Mono");
    s.EditorFontSize = 9;
    s.WrapNewDocs = false;
    s.DesktopColor = 0x00FF00;
    const QStringList reopen{"/home/user/site/index.htm", "/home/user/site/caf\u00e9.htm", "/tmp/a b.html"};
    put("app_settings", "with-reopen.dvf",
        scrambleSettings(joinSettingsLines(settingsLines(s) + reopen), Home + "mivor.ini", SettingsKey));
    put("app_settings", "written-elsewhere.dvf",
        scrambleSettings(defaults, QStringLiteral("C:\\Program Files\\Mivor\\mivor.ini"), SettingsKey));
    put("app_settings", "spike.dvf",
        scrambleSettings(joinSettingsLines({"<B>bold</B>", "", "  <A HREF=\"x.htm\">x</A>", "\u20ac 5"}),
                         Home + "spike.ini", SettingsKey));
    put("app_settings", "short.dvf", scrambleSettings("Arial\r\n$FF\r\n", Home + "mivor.ini", SettingsKey));
    put("app_settings", "plain.ini", defaults);
}

void textSeeds()
{
    using namespace textfile;
    const QString page = QStringLiteral(
        "<HTML>\r\n<HEAD>\r\n<TITLE>Caf\u00e9 \u20ac</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=\"#FFFFFF\">\r\n"
        "<P align=\"center\">Line\u00a0one<BR>\r\n</BODY>\r\n</HTML>\r\n");
    put("documents_textfile", "utf8.htm", encode(page, Encoding::Utf8));
    put("documents_textfile", "bom.htm", "\xEF\xBB\xBF" + encode(page, Encoding::Utf8));
    put("documents_textfile", "cp1252.htm", encode(page, Encoding::Windows1252));
    put("documents_textfile", "mixed-breaks.txt", QByteArray("one\ntwo\rthree\r\nfour\n\r\x81\x8d\x8f\x90\x9d"));
    put("documents_textfile", "unix.htm", encode(page, Encoding::Utf8).replace("\r\n", "\n"));
}

void rtfSeeds()
{
    put("documents_rtf", "plain.rtf",
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\r\n"
        "\\pard\\f0\\fs20 Hello, {\\b bold} and {\\i italic}\\par\r\n"
        "Caf\\'e9 \\u8364? euro\\tab tab\\line next\\par\r\n}\r\n");
    put("documents_rtf", "destinations.rtf",
        "{\\rtf1{\\*\\generator x;}{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}"
        "\\pard\\plain text \\{braces\\} \\\\ back\\par{\\pict\\pngblip 89504e47}\\uc2\\u20320??\\par}");
    put("documents_rtf", "nested.rtf", "{\\rtf1{{{{deep}}}}\\par\\'41\\'4\\'zz{\\field{\\fldinst HYPERLINK x}{\\fldrslt link}}}");
}

void keywordSeeds()
{
    // Byte 0 says where the ignore list ends; the rest is the document.
    const QByteArray ignore("body\r\nfont\nhref\rHTML\r\nwidth\r\n");
    const QByteArray page("<HTML>\r\n<HEAD>\r\n<TITLE>Apple pear</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
                          "apple apple plum plum pear e-mail caf\xC3\xA9 cars the supercalifragilisticexpialidocious\r\n"
                          "<FONT SIZE=2>Apple</FONT></BODY></HTML>\r\n");
    const qsizetype total = 1 + ignore.size() + page.size();
    const char split = char((ignore.size() * 255 + total - 2) / (total - 1));
    put("search_keywords", "page.bin", QByteArray(1, split) + ignore + page);
    put("search_keywords", "no-head.bin", QByteArray(1, '\x10') + "the\nand\n" + "words words WORDS other");
}

void tableSeeds()
{
    using namespace table;
    // Laid-over form (see fuzzsupport.h): counts, properties from byte 8 on,
    // then 296 bytes of each corner cell.
    auto overlay = [](const TableModel &m) {
        const QByteArray image = encodeTableFile(m.properties(), m.cellStore());
        QByteArray seed;
        seed.append(char(m.colCount() - 1)).append(char(m.rowCount() - 1));
        seed.append(image.mid(8, TablePropertiesSize - 8));
        for (int k = 0; k < 16; ++k)
            seed.append(image.mid(cellRecordOffset(k % 4, k / 4), 296));
        return seed;
    };
    TableModel one;
    one.SetCellBtnClick();
    put("table_mtb", "new-1x1.bin", overlay(one));
    TableModel t;
    t.TabColsChange(3);
    t.TabRowsChange(2);
    t.setTabWidth(50);
    t.TabColorChkClick(true);
    t.setTabColour(0x00FF00);
    t.LightDarkClick(true);
    t.setTabAlign(2);
    t.setTableBackground(QStringLiteral("back.gif"));
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 2; ++r) {
            t.selectCell(c, r);
            t.Edit1Change(QStringLiteral("cell %1,%2").arg(c).arg(r));
            t.setHorzAlign(c % 3);
            t.CellColorCheckClick(r == 1);
            t.SetCellBtnClick();
        }
    t.selectCell(0, 0);
    t.colspinChange(2);
    t.SetCellBtnClick();
    put("table_mtb", "3x2-spans.bin", overlay(t));
    for (const char *name : {"new-1x1.bin", "3x2-spans.bin"})
        put("table_window", name, overlay(std::string_view(name) == "new-1x1.bin" ? one : t));
}

void formSeeds()
{
    using namespace formmaker;
    FormFileData empty;
    put("formmaker_mff", "empty.mff", encodeFormFile(empty));
    FormFileData f;
    f.settings.FormName = QStringLiteral("order");
    f.settings.Action = QStringLiteral("/cgi-bin/order.pl");
    f.settings.OnSubmit = QStringLiteral("return check()");
    f.settings.SubmitOn = f.settings.ResetOn = true;
    f.settings.SubmitValue = QStringLiteral("Send");
    f.settings.ResetValue = QStringLiteral("Clear");
    f.LastIndex = 2;
    f.Elements[0] = {QStringLiteral("Name: "), QStringLiteral("<BR>"), QStringLiteral("Text"), 20, 40,
                     QStringLiteral("name"), QString(), QString(), QString()};
    f.Elements[1] = {QStringLiteral("Note"), QStringLiteral("hello"), QStringLiteral("TextArea"), 30, 4,
                     QStringLiteral("note"), QString(), QString(), QStringLiteral("onChange=\"x()\"")};
    f.Elements[2] = {QString(), QString(), QStringLiteral("Select"), 1, 0, QStringLiteral("size"), QString(),
                     QString(), QString()};
    f.ElementOptions[2].RowCount = 3;
    f.ElementOptions[2].OptionText[1] = QStringLiteral("Small");
    f.ElementOptions[2].OptionValue[1] = QStringLiteral("s");
    f.ElementOptions[2].OptionSelected[1] = QStringLiteral("Y");
    f.ElementOptions[2].OptionText[2] = QStringLiteral("Large");
    f.ElementOptions[2].OptionValue[2] = QStringLiteral("l");
    put("formmaker_mff", "three-elements.mff", encodeFormFile(f));
    put("formmaker_window", "empty.mff", encodeFormFile(empty));
    put("formmaker_window", "three-elements.mff", encodeFormFile(f));
}

void lineScanSeeds()
{
    // Bytes pick characters of a small alphabet; any bytes will do.
    put("search_linescan", "mixed.bin", QByteArray("\x00\x01\x02\x07\x08\x09\x0a\x0b\x00\x01\x02", 11).repeated(8));
    // Case-blind "ab<" in a few lines that hold it in both cases.
    put("search_linescan", "lines.bin",
        QByteArray("\x00\x02\x00\x01\x00\x02\x0d"
                   "\x00\x06\x02\x07\x08\x01\x03\x0d\x04\x07\x08\x09\x0a\x0b\x0c\x0e\x07\x08\x00\x02\x0d",
                   25));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    root = QString::fromLocal8Bit(argv[1]);
    settingsSeeds();
    textSeeds();
    rtfSeeds();
    keywordSeeds();
    tableSeeds();
    formSeeds();
    lineScanSeeds();
    return 0;
}
