#pragma once
// The names the writing aids offer, read once from the shipped data file
// (htmldata.txt): HTML elements (and which of them are void), the
// attributes each element takes, and the named character references.
#include <QHash>
#include <QString>
#include <QStringList>

namespace htmlaid {

inline constexpr char kDataFileName[] = "htmldata.txt";

class HtmlData {
public:
    // Parses the file's text. Lines it does not understand are skipped and
    // counted in problems() with their line numbers.
    static HtmlData parse(const QByteArray &text);
    // The shipped file from the program's data folder, read and parsed on
    // first use; empty lists when it cannot be read (see loadProblem()).
    static const HtmlData &shipped();

    // Element names, sorted.
    const QStringList &elements() const { return elements_; }
    bool isElement(const QString &name) const { return own_.contains(name.toLower()); }
    // Void elements have no end tag (br, img ...); case does not matter.
    bool isVoid(const QString &name) const { return void_.contains(name.toLower()); }
    // The attribute names valid on an element, in the order offered: the
    // global ones, the element's own, then the event handler attributes.
    // An unknown element gets the global and event ones.
    QStringList attributesFor(const QString &element) const;
    // Named character references, sorted (case-sensitive, as they are).
    const QStringList &entities() const { return entityNames_; }
    // The text a named reference stands for; empty when it is unknown.
    QString entityText(const QString &name) const { return entities_.value(name); }

    const QStringList &problems() const { return problems_; }
    QString loadProblem() const { return loadProblem_; }

private:
    QStringList elements_;
    QHash<QString, QStringList> own_;
    QHash<QString, bool> void_;
    QStringList global_;
    QStringList events_;
    QHash<QString, QString> entities_;
    QStringList entityNames_;
    QStringList problems_;
    QString loadProblem_;
};

} // namespace htmlaid
