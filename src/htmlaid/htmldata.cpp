#include "htmlaid/htmldata.h"

#include "platform/appfolder.h"
#include "platform/fileio.h"

#include <algorithm>

namespace htmlaid {

namespace {

enum class Section { None, Global, Events, Elements, Entities };

Section sectionOf(QByteArrayView header)
{
    if (header == "[global]")
        return Section::Global;
    if (header == "[events]")
        return Section::Events;
    if (header == "[elements]")
        return Section::Elements;
    if (header == "[entities]")
        return Section::Entities;
    return Section::None;
}

QStringList words(QByteArrayView text)
{
    QStringList out;
    for (const QByteArray &w : text.toByteArray().simplified().split(' '))
        if (!w.isEmpty())
            out << QString::fromLatin1(w);
    return out;
}

bool isName(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s)
        if (!(c.isLetterOrNumber() || c == u'-') || c.unicode() > 127)
            return false;
    return true;
}

} // namespace

HtmlData HtmlData::parse(const QByteArray &text)
{
    HtmlData d;
    Section section = Section::None;
    int lineNo = 0;
    for (const QByteArray &raw : text.split('\n')) {
        ++lineNo;
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        auto problem = [&] { d.problems_ << QStringLiteral("line %1: %2").arg(lineNo).arg(QString::fromUtf8(line)); };
        if (line.startsWith('[')) {
            section = sectionOf(line);
            if (section == Section::None)
                problem();
            continue;
        }
        switch (section) {
        case Section::Global:
        case Section::Events:
            for (const QString &w : words(line)) {
                if (!isName(w)) {
                    problem();
                    continue;
                }
                (section == Section::Global ? d.global_ : d.events_) << w;
            }
            break;
        case Section::Elements: {
            const qsizetype colon = line.indexOf(':');
            if (colon < 0) {
                problem();
                break;
            }
            const QStringList head = words(line.left(colon));
            if (head.isEmpty() || !isName(head[0]) || head.size() > 2 ||
                (head.size() == 2 && head[1] != QLatin1String("void"))) {
                problem();
                break;
            }
            const QString name = head[0].toLower();
            if (!d.own_.contains(name))
                d.elements_ << name;
            d.own_.insert(name, words(line.mid(colon + 1)));
            if (head.size() == 2)
                d.void_.insert(name, true);
            break;
        }
        case Section::Entities: {
            const QStringList parts = words(line);
            bool ok = parts.size() >= 2 && isName(parts[0]);
            QString chars;
            for (qsizetype i = 1; ok && i < parts.size(); ++i) {
                const uint cp = parts[i].toUInt(&ok, 16);
                ok = ok && cp > 0 && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
                if (ok)
                    chars += QString::fromUcs4(reinterpret_cast<const char32_t *>(&cp), 1);
            }
            if (!ok) {
                problem();
                break;
            }
            if (!d.entities_.contains(parts[0]))
                d.entityNames_ << parts[0];
            d.entities_.insert(parts[0], chars);
            break;
        }
        case Section::None:
            problem();
            break;
        }
    }
    std::sort(d.elements_.begin(), d.elements_.end());
    std::sort(d.entityNames_.begin(), d.entityNames_.end());
    return d;
}

const HtmlData &HtmlData::shipped()
{
    static const HtmlData data = [] {
        const QString path = dataFolder() + QLatin1String(kDataFileName);
        const fileio::FileRead bytes = fileio::readRegularFile(path, 4 << 20);
        if (!bytes) {
            HtmlData empty;
            empty.loadProblem_ = QStringLiteral("Cannot read %1: %2").arg(path, bytes.message);
            return empty;
        }
        return parse(bytes.value);
    }();
    return data;
}

QStringList HtmlData::attributesFor(const QString &element) const
{
    QStringList out = global_;
    const QStringList own = own_.value(element.toLower());
    for (const QString &a : own)
        if (!out.contains(a))
            out << a;
    for (const QString &a : events_)
        if (!out.contains(a))
            out << a;
    return out;
}

} // namespace htmlaid
