#pragma once
// Spell checking with Hunspell and the system's dictionaries, plus the
// user's own word list ("Add to Dictionary"), kept in the settings folder.
#include "platform/result.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>

class Hunspell;

namespace htmlaid {

inline constexpr char kSystemDictionaries[] = "/usr/share/hunspell";
inline constexpr char kPersonalWordsName[] = "personal-words.txt";

class Speller {
public:
    // `personalList`: the file of the user's own words.
    explicit Speller(QString personalList);
    ~Speller();

    // The languages with a dictionary (name.dic beside name.aff) in a
    // folder, sorted: "en_US", "de_DE" ...
    static QStringList languagesIn(const QString &folder);
    // The one to use when none is chosen: `wanted` if it is there, else
    // US English, else the first.
    static QString pickLanguage(const QStringList &available, const QString &wanted);

    // Loads the dictionary of `language` from `folder` and the user's words.
    // Fails with the reason, leaving no dictionary in use.
    Result load(const QString &folder, const QString &language);
    bool ready() const { return bool(hunspell_); }
    QString language() const { return language_; }

    // Whether the word is spelt right (also when the dictionary cannot
    // represent it, as there is nothing to say about it).
    bool check(const QString &word);
    // At most `most` spellings the dictionary proposes.
    QStringList suggest(const QString &word, int most = 8);
    // Adds a word to the user's list and to the dictionary in use. Fails,
    // adding nothing, when the list cannot be written.
    Result add(const QString &word);
    const QStringList &personalWords() const { return personal_; }

private:
    std::string encode(const QString &word, bool &ok) const;
    QString decode(const std::string &bytes) const;
    void readPersonalWords();

    QString personalPath_;
    QString language_;
    std::unique_ptr<Hunspell> hunspell_;
    bool utf8_ = true;
    QStringList personal_;
    QHash<QString, bool> known_;   // words already looked up
};

} // namespace htmlaid
