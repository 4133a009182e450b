#include "htmlaid/speller.h"

#include "platform/fileio.h"

#include <hunspell.hxx>

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace htmlaid {

namespace {
constexpr qsizetype kMostRemembered = 200000;
constexpr qint64 kLargestWordList = 16 << 20;
} // namespace

Speller::Speller(QString personalList) : personalPath_(std::move(personalList)) {}

Speller::~Speller() = default;

QStringList Speller::languagesIn(const QString &folder)
{
    QStringList out;
    const QDir dir(folder);
    for (const QFileInfo &f : dir.entryInfoList({QStringLiteral("*.dic")}, QDir::Files | QDir::Readable, QDir::Name)) {
        const QString base = f.completeBaseName();
        if (!base.startsWith(QLatin1Char('.')) && QFileInfo(dir.filePath(base + QStringLiteral(".aff"))).isFile())
            out << base;
    }
    return out;
}

QString Speller::pickLanguage(const QStringList &available, const QString &wanted)
{
    if (available.contains(wanted))
        return wanted;
    if (available.contains(QStringLiteral("en_US")))
        return QStringLiteral("en_US");
    return available.value(0);
}

Result Speller::load(const QString &folder, const QString &language)
{
    hunspell_.reset();
    known_.clear();
    language_.clear();
    const QString aff = QDir(folder).filePath(language + QStringLiteral(".aff"));
    const QString dic = QDir(folder).filePath(language + QStringLiteral(".dic"));
    if (language.isEmpty() || language.contains(QLatin1Char('/')) || !QFileInfo(aff).isFile() ||
        !QFileInfo(dic).isFile())
        return Result::failure(QStringLiteral("No dictionary for \"%1\" in %2").arg(language, folder));
    hunspell_ = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
    const QByteArray enc = QByteArray(hunspell_->get_dic_encoding()).toUpper();
    utf8_ = enc == "UTF-8" || enc == "UTF8";
    language_ = language;
    readPersonalWords();
    for (const QString &w : personal_) {
        bool ok = false;
        const std::string e = encode(w, ok);
        if (ok)
            hunspell_->add(e);
    }
    return Result::success();
}

std::string Speller::encode(const QString &word, bool &ok) const
{
    ok = true;
    if (utf8_)
        return word.toStdString();
    // Dictionaries in a one-byte encoding are read as Latin-1, the one such
    // encoding that needs no tables.
    for (const QChar c : word)
        if (c.unicode() > 0xFF)
            ok = false;
    return word.toLatin1().toStdString();
}

QString Speller::decode(const std::string &bytes) const
{
    return utf8_ ? QString::fromStdString(bytes) : QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

bool Speller::check(const QString &word)
{
    if (!hunspell_ || word.isEmpty())
        return true;
    const auto hit = known_.constFind(word);
    if (hit != known_.cend())
        return *hit;
    bool ok = false;
    const std::string e = encode(word, ok);
    // Typographic apostrophes are looked up as the plain one.
    bool right = !ok || hunspell_->spell(e);
    if (!right && word.contains(QChar(0x2019))) {
        QString plain = word;
        plain.replace(QChar(0x2019), QLatin1Char('\''));
        right = hunspell_->spell(encode(plain, ok));
    }
    if (known_.size() >= kMostRemembered)
        known_.clear();
    known_.insert(word, right);
    return right;
}

QStringList Speller::suggest(const QString &word, int most)
{
    QStringList out;
    if (!hunspell_)
        return out;
    bool ok = false;
    const std::string e = encode(word, ok);
    if (!ok)
        return out;
    for (const std::string &s : hunspell_->suggest(e)) {
        if (out.size() >= most)
            break;
        out << decode(s);
    }
    return out;
}

void Speller::readPersonalWords()
{
    personal_.clear();
    const fileio::FileRead bytes = fileio::readRegularFile(personalPath_, kLargestWordList);
    if (!bytes)
        return;
    for (const QByteArray &line : bytes.value.split('\n')) {
        const QString w = QString::fromUtf8(line).trimmed();
        if (!w.isEmpty() && !personal_.contains(w))
            personal_ << w;
    }
}

Result Speller::add(const QString &word)
{
    const QString w = word.trimmed();
    if (w.isEmpty() || w.contains(QLatin1Char('\n')))
        return Result::failure(QStringLiteral("\"%1\" is not a word").arg(word));
    // Read again first: another window of the program may have added words.
    readPersonalWords();
    if (!personal_.contains(w)) {
        QStringList all = personal_;
        all << w;
        QByteArray bytes = all.join(QLatin1Char('\n')).toUtf8();
        bytes += '\n';
        fileio::WriteOptions options;
        options.sideFile = true;
        if (const Result r = fileio::writeFile(personalPath_, bytes, options); !r)
            return Result::failure(QStringLiteral("Cannot write %1: %2").arg(personalPath_, r.message));
        personal_ = all;
    }
    if (hunspell_) {
        bool ok = false;
        const std::string e = encode(w, ok);
        if (ok)
            hunspell_->add(e);
    }
    known_.remove(w);
    return Result::success();
}

} // namespace htmlaid
