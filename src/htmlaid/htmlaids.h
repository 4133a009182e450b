#pragma once
// The writing aids of one document window: end tags after ">", names after
// "</", the tag paired with the one at the caret, pop-up lists of elements,
// attributes and references, and misspelt words of the page's text. Each
// document's text area gets one, attached through its MemoHooks; they share
// the options and the dictionary of one AidsHub.
#include "htmlaid/aidoptions.h"
#include "htmlaid/pagewords.h"
#include "htmlaid/tagscan.h"
#include "htmlaid/textsource.h"
#include "platform/result.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

class MemoHooks;
class QMenu;
class TMemo;

namespace htmlaid {

class HtmlData;
class Speller;
class HtmlAids;

// Marks of the aids in the text area (indicator numbers 20 to 23 are theirs).
inline constexpr int kMatchMark = 20;
inline constexpr int kSpellMark = 21;

class AidsHub : public QObject {
    Q_OBJECT
public:
    // The user's word list lives in settingsFolder (ending in '/').
    explicit AidsHub(const QString &settingsFolder, QObject *parent = nullptr);
    ~AidsHub() override;

    const AidOptions &options() const { return options_; }
    void setOptions(const AidOptions &options);
    const HtmlData &data() const { return *data_; }

    // Gives the memo its aids (once; a second call returns the same).
    HtmlAids *attach(TMemo *memo);

    // Where the dictionaries are looked for (the system's, unless changed).
    QString dictionaryFolder() const { return dictionaryFolder_; }
    void setDictionaryFolder(const QString &folder);
    QStringList languages() const;
    // The dictionary in use, loaded on first need; null when there is none,
    // with the reason in spellingProblem().
    Speller *speller();
    QString spellingProblem() const { return spellingProblem_; }
    Result addWord(const QString &word);

signals:
    void optionsChanged();
    // The user's word list grew: words marked so far may be right now.
    void wordsChanged();

private:
    const HtmlData *data_;
    AidOptions options_;
    QString personalList_;
    QString dictionaryFolder_;
    std::unique_ptr<Speller> speller_;
    bool spellerTried_ = false;
    QString spellingProblem_;
};

class HtmlAids : public QObject {
    Q_OBJECT
public:
    HtmlAids(TMemo *memo, AidsHub *hub);
    ~HtmlAids() override;

    // The aids of a text area, or null.
    static HtmlAids *of(TMemo *memo);

    MemoHooks *hooks() const { return hooks_; }
    // The caret in a tag that has a partner within reach: the caret goes to
    // the partner's name. False (nothing moves) otherwise.
    bool goToMatchingTag();
    // The entries of the list on show (empty when none is).
    QStringList listEntries() const { return hooks_ && listShown() ? shown_ : QStringList(); }
    // Spelling: the suggestions and "Add to Dictionary" for a misspelt word
    // at offset go to the top of a context menu.
    void fillContextMenu(int offset, QMenu *menu);
    // Whether the background pass still has text to read.
    bool spellingPending() const { return spellTimer_.isActive() || frontier_ >= 0; }
    // Runs the background pass to its end (for tests and the benchmark).
    void finishSpelling();
    // The document's kind may have changed (a new caption): page or plain text.
    void kindChanged();

private:
    enum class ListKind { None, Element, EndTag, Attribute, Entity };

    bool page() const;
    bool listShown() const;
    bool spellingOn() const;
    void onTyped(const QString &text);
    void onChosen(const QString &entry);
    void onEdited(int offset, const QString &text, bool whole, bool removed);
    void openList(ListKind kind, int start, const QStringList &all);
    void narrowList();
    void scheduleMatch();
    void updateMatch();
    void clearMatch();
    void scheduleVisibleCheck();
    void checkVisible();
    void restartSpelling();
    void clearSpelling();
    void spellSlice();
    void checkStretch(int from, int to, PageWords &words);
    Place placeFor(int offset);
    void optionsChanged();

    class Source : public TextSource {
    public:
        explicit Source(TMemo *memo, MemoHooks *hooks) : memo_(memo), hooks_(hooks) {}
        int length() const override;
        void changed() const { forget(); }

    protected:
        QString fetch(int from, int to) const override;

    private:
        TMemo *memo_;
        MemoHooks *hooks_;
    };

    TMemo *memo_;
    AidsHub *hub_;
    MemoHooks *hooks_;
    Source source_;

    // The list on show.
    ListKind listKind_ = ListKind::None;
    int listStart_ = -1;
    QStringList listAll_;
    QStringList shown_;

    // The end tag added last, which the same end tag typed before it replaces.
    QString lastEndTag_;

    // The partner marks.
    bool matchPosted_ = false;
    int matchFrom1_ = -1, matchTo1_ = -1, matchFrom2_ = -1, matchTo2_ = -1;

    // Spelling: the background pass reads on from frontier_ (-1 when done)
    // with the reader's place kept in pass_; dirty stretches are read again.
    bool visiblePosted_ = false;
    QTimer spellTimer_;
    int frontier_ = -1;
    std::unique_ptr<PageWords> pass_;
    int dirtyFrom_ = -1, dirtyTo_ = -1;
    bool lastKindPage_ = true;
    // What the last check of the screen covered, and what changed since: an
    // edit of plain text is checked alone, anything else the whole screen.
    int screenFrom_ = -1;
    bool screenStale_ = true;
    int editFrom_ = -1, editTo_ = -1;
    // The place of the last offset asked for, kept while no markup changes.
    int placeOffset_ = -1;
    Place place_ = Place::Text;
};

} // namespace htmlaid
