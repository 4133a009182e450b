#include "settings/settingsstore.h"

#include "settings/settingscodec.h"
#include "documents/textfile.h"
#include "platform/smallfile.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <limits>

namespace {

const QString kPlainName = QStringLiteral("mivor.ini");
const QString kScrambledName = QStringLiteral("mivor.dvf");
constexpr int kLineCount = 9;

// Zero-based indices of the lines that hold integers.
bool isIntegerLine(int index)
{
    return index == 1 || index == 2 || index == 3 || index == 7 || index == 8;
}

QString boolText(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

QString colorText(quint32 c)
{
    return QString::number(qint32(c));
}

bool lineReadsWell(int index, const QString &line, const QStringList &installedFonts)
{
    if (index == 0)
        return usableFontName(line, installedFonts) == line;
    qint64 ignored;
    return !isIntegerLine(index) || readIntegerValue(line, ignored);
}

// A caption that could not be read back as one Reopen entry is not written.
bool isStorableCaption(const QString &caption)
{
    return !caption.isEmpty() && !caption.startsWith(QLatin1Char('~'))
        && !caption.contains(QLatin1Char('\r')) && !caption.contains(QLatin1Char('\n'));
}

} // namespace

QStringList defaultSettingsLines()
{
    return {QStringLiteral("Courier New"), QStringLiteral("12"), QStringLiteral("0"),
            QStringLiteral("16777215"), QStringLiteral("true"), QStringLiteral("true"),
            QStringLiteral("true"), QStringLiteral("10"), QStringLiteral("$00A00000")};
}

QStringList settingsLines(const MivorSettings &s)
{
    // A line break inside the name would shift every following line.
    QString name = s.EditorFontName;
    name.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return {name,
            QString::number(s.EditorFontSize),
            colorText(s.EditorFontColor),
            colorText(s.EditorBackColor),
            boolText(s.WrapNewDocs),
            boolText(s.MakeBackups),
            boolText(s.AutosaveOn),
            QString::number(s.AutosaveMinutes),
            colorText(s.DesktopColor)};
}

QString usableFontName(const QString &name, const QStringList &installed)
{
    const QString fallback = MivorSettings{}.EditorFontName;
    if (installed.isEmpty() || name.compare(fallback, Qt::CaseInsensitive) == 0)
        return name;
    for (const QString &family : installed) {
        const qsizetype foundry = family.indexOf(QLatin1String(" ["));
        const QStringView bare = QStringView(family).left(foundry < 0 ? family.size() : foundry);
        if (name.compare(family, Qt::CaseInsensitive) == 0 || QStringView(name).compare(bare, Qt::CaseInsensitive) == 0)
            return name;
    }
    return fallback;
}

bool readIntegerValue(const QString &text, qint64 &value)
{
    if (text.startsWith(QLatin1Char('$'))) {
        if (text.size() < 2)
            return false;
        quint64 v = 0;
        for (qsizetype i = 1; i < text.size(); ++i) {
            const char16_t c = text.at(i).unicode();
            int digit;
            if (c >= u'0' && c <= u'9')
                digit = c - u'0';
            else if (c >= u'a' && c <= u'f')
                digit = c - u'a' + 10;
            else if (c >= u'A' && c <= u'F')
                digit = c - u'A' + 10;
            else
                return false;
            v = v * 16 + quint64(digit);
            if (v > 0xFFFFFFFFull)
                return false;
        }
        value = qint32(quint32(v));
        return true;
    }
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return false;
    qint64 v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c - u'0');
        if (v > qint64(1) << 31)
            return false;
    }
    v = negative ? -v : v;
    if (v > std::numeric_limits<qint32>::max())
        return false;
    value = v;
    return true;
}

SettingsRead readSettingsLines(const QStringList &lines, const QStringList &installedFonts)
{
    SettingsRead r;
    MivorSettings &s = r.settings;
    const int present = int(std::min<qsizetype>(lines.size(), kLineCount));
    for (int i = 0; i < present; ++i) {
        const QString &line = lines.at(i);
        qint64 n = 0;
        if (isIntegerLine(i) && !readIntegerValue(line, n)) {
            r.errors << QStringLiteral("'%1' is not a valid integer value").arg(shortenedForMessage(line));
            continue;
        }
        const bool flag = line == QLatin1String("true");
        switch (i) {
        // A damaged line or a font since removed would give every new
        // document a stand-in font; the default is a known one.
        case 0: s.EditorFontName = usableFontName(line, installedFonts); break;
        // Sizes and minutes are kept in the dialog's ranges: a size of 0 or an
        // interval of 0 minutes would leave the program unusable.
        case 1: s.EditorFontSize = int(std::clamp<qint64>(n, 6, 120)); break;
        case 2: s.EditorFontColor = quint32(qint32(n)); break;
        case 3: s.EditorBackColor = quint32(qint32(n)); break;
        case 4: s.WrapNewDocs = flag; break;
        case 5: s.MakeBackups = flag; break;
        case 6: s.AutosaveOn = flag; break;
        case 7: s.AutosaveMinutes = int(std::clamp<qint64>(n, 1, 60)); break;
        case 8: s.DesktopColor = quint32(qint32(n)); break;
        }
    }
    if (lines.size() < kLineCount)
        r.errors << QStringLiteral("List index out of bounds (%1)").arg(lines.size());
    for (qsizetype i = kLineCount; i < lines.size(); ++i) {
        if (!lines.at(i).isEmpty() && !lines.at(i).startsWith(QLatin1Char('~')))
            r.reopen << lines.at(i);
    }
    return r;
}

QStringList splitSettingsText(const QByteArray &bytes)
{
    // The decoder takes a leading byte-order mark off.
    const QString text = textfile::decode(bytes).text;
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (text.endsWith(QStringLiteral("\r\n")))
        lines.removeLast();
    return lines;
}

QByteArray joinSettingsLines(const QStringList &lines)
{
    QString text;
    // The reader drops one byte order mark at the start; a first line that
    // begins with U+FEFF of its own gets one more, so it reads back whole.
    if (!lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF)))
        text += QChar(0xFEFF);
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text.toUtf8();
}

Result storeSettingsLines(const QString &plainPath, const QStringList &lines)
{
    return EncodeSettingsFile(plainPath, joinSettingsLines(lines), SettingsKey);
}

bool removeWithRetries(const QString &path)
{
    for (int attempt = 0; attempt < 20 && QFile::exists(path); ++attempt) {
        if (!QFile::remove(path))
            QThread::msleep(25);
    }
    return !QFile::exists(path);
}

Result storeScrambledLines(const QString &appFolder, const QString &plainName, const QStringList &lines)
{
    QDir().mkpath(appFolder);
    return storeSettingsLines(appFolder + plainName, lines);
}

OwnSettingsRead<QStringList> readScrambledLines(const QString &scrambledPath, const QString &plainName)
{
    const OwnSettingsRead<QByteArray> plain = DecodeOwnSettingsFile(scrambledPath, plainName, SettingsKey);
    OwnSettingsRead<QStringList> lines;
    lines.ok = plain.ok;
    lines.message = plain.message;
    lines.damaged = plain.damaged;
    if (plain)
        lines.value = splitSettingsText(plain.value);
    return lines;
}

SettingsStart readSettingsAtStart(const QString &appFolder, const QStringList &installedFonts)
{
    SettingsStart start;
    QDir().mkpath(appFolder);
    const QString scrambled = appFolder + kScrambledName;
    if (QFile::exists(scrambled)) {
        const ResultOf<QStringList> lines = readScrambledLines(scrambled, kPlainName);
        if (!lines) {
            start.read.errors << lines.message;
            return start;
        }
        start.read = readSettingsLines(lines.value, installedFonts);
        start.fromFile = true;
        return start;
    }
    if (Result r = storeSettingsLines(appFolder + kPlainName, defaultSettingsLines()); !r)
        start.read.errors << r.message;
    return start;
}

Result writeSettingsFromDialog(const QString &appFolder, const MivorSettings &s)
{
    return storeSettingsLines(appFolder + kPlainName, settingsLines(s));
}

Result writeSettingsAtClose(const QString &appFolder, const MivorSettings &current,
                            const QStringList &reopenTopFirst, const QStringList &installedFonts)
{
    const QString scrambled = appFolder + kScrambledName;
    if (!QFile::exists(scrambled))
        return Result::success();

    // A stored file that cannot be decoded or read is mended from the
    // settings in use, so a sound file is written again.
    const QStringList stored = readScrambledLines(scrambled, kPlainName).value;
    const QStringList fallback = settingsLines(current);
    QStringList lines;
    for (int i = 0; i < kLineCount; ++i) {
        const bool usable = i < stored.size() && lineReadsWell(i, stored.at(i), installedFonts);
        lines << (usable ? stored.at(i) : fallback.at(i));
    }
    for (const QString &caption : reopenTopFirst) {
        if (isStorableCaption(caption))
            lines << caption;
    }
    return storeSettingsLines(appFolder + kPlainName, lines);
}

void deletePlainSettings(const QString &appFolder)
{
    removeWithRetries(appFolder + kPlainName);
}
