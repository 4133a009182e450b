#include "htmlaid/htmlaids.h"

#include "documents/memo.h"
#include "documents/memohooks.h"
#include "htmlaid/htmldata.h"
#include "htmlaid/speller.h"
#include "platform/dialogs.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFont>
#include <QMenu>
#include <algorithm>

namespace htmlaid {

namespace {

// A slice of the background spelling pass, and the pause after typing
// before it goes on: keys never wait for it.
constexpr qint64 kSliceNs = 3'000'000;
constexpr int kPauseAfterEditMs = 250;
// A stretch read at once by the pass, and the most of a long line read
// around the caret when it is on screen.
constexpr int kStretch = 8192;
constexpr int kVisibleMost = 32768;

bool touchesMarkup(const QString &text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '<': case '>': case '"': case '\'': case '-': case '!': case '?': case '/':
            return true;
        default:
            break;
        }
    }
    return false;
}

bool allUpper(const QString &s)
{
    bool letter = false;
    for (const QChar c : s) {
        if (c.isLower())
            return false;
        letter = letter || c.isLetter();
    }
    return letter;
}

} // namespace

// ------------------------------------------------------------------ AidsHub

AidsHub::AidsHub(const QString &settingsFolder, QObject *parent)
    : QObject(parent), data_(&HtmlData::shipped()),
      personalList_(settingsFolder + QLatin1String(kPersonalWordsName)),
      dictionaryFolder_(QString::fromLatin1(kSystemDictionaries))
{
}

AidsHub::~AidsHub() = default;

void AidsHub::setOptions(const AidOptions &options)
{
    if (options == options_)
        return;
    if (options.language != options_.language) {
        speller_.reset();
        spellerTried_ = false;
    }
    options_ = options;
    emit optionsChanged();
}

void AidsHub::setDictionaryFolder(const QString &folder)
{
    dictionaryFolder_ = folder;
    speller_.reset();
    spellerTried_ = false;
    emit optionsChanged();
}

QStringList AidsHub::languages() const
{
    return Speller::languagesIn(dictionaryFolder_);
}

Speller *AidsHub::speller()
{
    if (!spellerTried_) {
        spellerTried_ = true;
        const QStringList found = languages();
        if (found.isEmpty()) {
            spellingProblem_ = QStringLiteral("No spelling dictionaries in %1").arg(dictionaryFolder_);
        } else {
            auto s = std::make_unique<Speller>(personalList_);
            const Result r = s->load(dictionaryFolder_, Speller::pickLanguage(found, options_.language));
            spellingProblem_ = r.message;
            if (r)
                speller_ = std::move(s);
        }
    }
    return speller_.get();
}

Result AidsHub::addWord(const QString &word)
{
    Speller *s = speller();
    if (!s)
        return Result::failure(spellingProblem_);
    const Result r = s->add(word);
    if (r)
        emit wordsChanged();
    return r;
}

HtmlAids *AidsHub::attach(TMemo *memo)
{
    if (HtmlAids *existing = HtmlAids::of(memo))
        return existing;
    return new HtmlAids(memo, this);
}

// ----------------------------------------------------------------- HtmlAids

int HtmlAids::Source::length() const
{
    return memo_->textLength();
}

QString HtmlAids::Source::fetch(int from, int to) const
{
    return hooks_->textRange(from, to);
}

HtmlAids::HtmlAids(TMemo *memo, AidsHub *hub)
    : QObject(memo), memo_(memo), hub_(hub), hooks_(new MemoHooks(memo)), source_(memo, hooks_)
{
    setObjectName(QStringLiteral("htmlAids"));
    hooks_->defineMark(kMatchMark, MemoHooks::Look::Box, QColor(0x30, 0x90, 0xff));
    hooks_->defineMark(kSpellMark, MemoHooks::Look::Squiggle, QColor(0xe0, 0x10, 0x10));
    spellTimer_.setSingleShot(true);
    connect(&spellTimer_, &QTimer::timeout, this, &HtmlAids::spellSlice);

    connect(hooks_, &MemoHooks::typed, this, &HtmlAids::onTyped);
    connect(hooks_, &MemoHooks::chosen, this, &HtmlAids::onChosen);
    connect(hooks_, &MemoHooks::listHidden, this, [this] { listKind_ = ListKind::None; });
    connect(hooks_, &MemoHooks::listCharDeleted, this, [this] {
        source_.changed();
        narrowList();
    });
    connect(hooks_, &MemoHooks::caretMoved, this, &HtmlAids::scheduleMatch);
    connect(hooks_, &MemoHooks::edited, this, &HtmlAids::onEdited);
    connect(hooks_, &MemoHooks::reloaded, this, [this] {
        if (listShown())
            hooks_->hideList();
        listKind_ = ListKind::None;
        restartSpelling();
    });
    connect(hooks_, &MemoHooks::contextMenu, this, &HtmlAids::fillContextMenu);
    connect(memo_, &TMemo::textChanged, this, &HtmlAids::scheduleVisibleCheck);
    connect(memo_, &TMemo::viewChanged, this, &HtmlAids::scheduleVisibleCheck);
    connect(hub_, &AidsHub::optionsChanged, this, &HtmlAids::optionsChanged);
    connect(hub_, &AidsHub::wordsChanged, this, &HtmlAids::restartSpelling);
    lastKindPage_ = page();
    restartSpelling();
}

HtmlAids::~HtmlAids() = default;

HtmlAids *HtmlAids::of(TMemo *memo)
{
    return memo ? memo->findChild<HtmlAids *>(QStringLiteral("htmlAids"), Qt::FindDirectChildrenOnly) : nullptr;
}

bool HtmlAids::page() const
{
    return memo_->htmlHighlighting();
}

bool HtmlAids::listShown() const
{
    return listKind_ != ListKind::None && hooks_->listShown();
}

bool HtmlAids::spellingOn() const
{
    const AidOptions &o = hub_->options();
    return o.spelling && (page() || o.spellPlainText);
}

// ------------------------------------------------------- typing and lists

void HtmlAids::onTyped(const QString &text)
{
    source_.changed();
    if (text.isEmpty())
        return;
    if (!page()) {
        if (listShown())
            hooks_->hideList();
        return;
    }
    const AidOptions &o = hub_->options();
    const int caret = hooks_->caret();
    const QChar ch = text.back();
    if (listShown()) {
        narrowList();
        if (listShown())
            return;
    }
    if (ch == u'>') {
        if (!o.autoClose)
            return;
        const QString end = closingTagFor(source_, caret - 1, hub_->data());
        if (!end.isEmpty()) {
            hooks_->insertAt(caret, end);
            lastEndTag_ = end;
            return;
        }
        // An end tag typed in full just before the one added for it: the
        // one typed takes its place, as if typed over it.
        if (!lastEndTag_.isEmpty()) {
            const int n = int(lastEndTag_.size());
            const QString typedTag = source_.mid(caret - n, caret);
            if (typedTag.compare(lastEndTag_, Qt::CaseInsensitive) == 0 &&
                source_.mid(caret, caret + n) == lastEndTag_) {
                hooks_->replace(caret, caret + n, QString(), 0);
                lastEndTag_.clear();
            }
        }
        return;
    }
    if (ch == u'/') {
        if (!o.autoClose || source_.at(caret - 2) != u'<')
            return;
        const Completion c = completionAt(source_, caret);
        if (c.kind != Completion::EndTag)
            return;
        const QStringList open = openElements(source_, caret - 2, hub_->data(), kPartnerBound);
        if (!open.isEmpty())
            openList(ListKind::EndTag, caret, open);
        return;
    }
    if (!o.completion)
        return;
    if (ch == u'<' || ch == u'&' || ch == u' ' || (isNameChar(ch) && source_.at(caret - 2).isSpace())) {
        const Completion c = completionAt(source_, caret);
        switch (c.kind) {
        case Completion::Element:
            if (ch == u'<')
                openList(ListKind::Element, c.start, hub_->data().elements());
            break;
        case Completion::Entity:
            if (ch == u'&')
                openList(ListKind::Entity, c.start, hub_->data().entities());
            break;
        case Completion::Attribute:
            openList(ListKind::Attribute, c.start, hub_->data().attributesFor(c.element));
            break;
        default:
            break;
        }
    }
}

void HtmlAids::openList(ListKind kind, int start, const QStringList &all)
{
    listKind_ = kind;
    listStart_ = start;
    listAll_ = all;
    narrowList();
}

void HtmlAids::narrowList()
{
    if (listKind_ == ListKind::None)
        return;
    const int caret = hooks_->caret();
    const QString typed = caret >= listStart_ ? source_.mid(listStart_, caret) : QString();
    bool stillAWord = caret >= listStart_;
    for (const QChar c : typed)
        stillAWord = stillAWord && isNameChar(c);
    QStringList entries;
    if (stillAWord) {
        // Names typed in capitals are offered in capitals; references keep
        // their own case.
        const bool entity = listKind_ == ListKind::Entity;
        const bool upper = !entity && allUpper(typed);
        for (const QString &e : listAll_)
            if (e.startsWith(typed, entity ? Qt::CaseSensitive : Qt::CaseInsensitive))
                entries << (upper ? e.toUpper() : e);
    }
    if (entries.isEmpty() || (entries.size() == 1 && entries[0] == typed)) {
        const ListKind was = listKind_;
        listKind_ = ListKind::None;
        shown_.clear();
        if (hooks_->listShown())
            hooks_->hideList();
        (void)was;
        return;
    }
    shown_ = entries;
    const ListKind kind = listKind_;
    hooks_->showList(caret - listStart_, entries);
    listKind_ = kind;   // showing again cancels the list before, which said it was hidden
}

void HtmlAids::onChosen(const QString &entry)
{
    const ListKind kind = listKind_;
    listKind_ = ListKind::None;
    shown_.clear();
    const int caret = hooks_->caret();
    if (kind == ListKind::None || caret < listStart_)
        return;
    QString text = entry;
    int caretAfter = int(entry.size());
    switch (kind) {
    case ListKind::EndTag:
        text += QLatin1Char('>');
        caretAfter = int(text.size());
        break;
    case ListKind::Attribute:
        text += QStringLiteral("=\"\"");
        caretAfter = int(entry.size()) + 2;
        break;
    case ListKind::Entity:
        text += QLatin1Char(';');
        caretAfter = int(text.size());
        break;
    default:
        break;
    }
    hooks_->replace(listStart_, caret, text, caretAfter);
    source_.changed();
}

// ---------------------------------------------------------- matching tags

void HtmlAids::scheduleMatch()
{
    if (matchPosted_)
        return;
    matchPosted_ = true;
    QMetaObject::invokeMethod(this, [this] {
        matchPosted_ = false;
        updateMatch();
    }, Qt::QueuedConnection);
}

void HtmlAids::clearMatch()
{
    if (matchFrom1_ < 0)
        return;
    const int length = memo_->textLength();
    hooks_->unmark(kMatchMark, std::min(matchFrom1_, length), std::min(matchTo1_, length));
    hooks_->unmark(kMatchMark, std::min(matchFrom2_, length), std::min(matchTo2_, length));
    matchFrom1_ = matchTo1_ = matchFrom2_ = matchTo2_ = -1;
}

void HtmlAids::updateMatch()
{
    clearMatch();
    if (!hub_->options().matchTags || !page())
        return;
    source_.changed();
    const int caret = hooks_->caret();
    const Tag t = tagAround(source_, caret, kTagBound);
    if (!t.valid() || caret < t.nameStart || caret > t.nameEnd || t.end < 0)
        return;
    const Tag p = partnerOf(source_, t, hub_->data(), kPartnerBound);
    if (!p.valid())
        return;
    matchFrom1_ = t.start;
    matchTo1_ = t.end;
    matchFrom2_ = p.start;
    matchTo2_ = p.end;
    hooks_->mark(kMatchMark, t.start, t.end);
    hooks_->mark(kMatchMark, p.start, p.end);
}

bool HtmlAids::goToMatchingTag()
{
    if (!page())
        return false;
    source_.changed();
    const int caret = hooks_->caret();
    Tag t = tagAround(source_, caret, kTagBound);
    if (!t.valid() && source_.at(caret) == u'<')
        t = tagAround(source_, caret + 1, kTagBound);
    if (!t.valid() || t.end < 0)
        return false;
    const Tag p = partnerOf(source_, t, hub_->data(), kPartnerBound);
    if (!p.valid())
        return false;
    hooks_->setCaret(p.nameStart);
    memo_->ensureCursorVisible();
    return true;
}

// --------------------------------------------------------------- spelling

void HtmlAids::onEdited(int offset, const QString &text, bool whole, bool removed)
{
    source_.changed();
    if (frontier_ < 0 && dirtyFrom_ < 0 && !spellingOn())
        return;
    // Only markup can change where the text after an edit stands (in a tag,
    // a comment ...); then the pass reads on from the edit.
    const bool markup = !whole || touchesMarkup(text) ||
                        (offset > 0 && tagAround(source_, offset, 64).valid());
    const int line = hooks_->lineOf(offset);
    const int lineStart = hooks_->lineStart(line);
    if (markup || offset <= placeOffset_)
        placeOffset_ = -1;
    if (markup || removed || text.contains(QLatin1Char('\n'))) {
        screenStale_ = true;
    } else {
        const int end = hooks_->lineEnd(hooks_->lineOf(offset + int(text.size())));
        editFrom_ = editFrom_ < 0 ? lineStart : std::min(editFrom_, lineStart);
        editTo_ = std::max(editTo_, end);
    }
    if (markup && (frontier_ < 0 || lineStart < frontier_)) {
        frontier_ = lineStart;
        pass_ = std::make_unique<PageWords>(hub_->data(), page(), page() ? placeAt(source_, lineStart, kPlaceBound)
                                                                        : Place::Text);
    } else if (frontier_ > offset) {
        // The pass has read past the edit: it goes on where it was.
        frontier_ = std::max(offset, frontier_ + (removed ? -int(text.size()) : int(text.size())));
        frontier_ = hooks_->lineStart(hooks_->lineOf(frontier_));
    }
    dirtyFrom_ = dirtyFrom_ < 0 ? lineStart : std::min(dirtyFrom_, lineStart);
    dirtyTo_ = std::max(dirtyTo_, offset + (removed ? 0 : int(text.size())));
    spellTimer_.start(kPauseAfterEditMs);
}

void HtmlAids::scheduleVisibleCheck()
{
    if (visiblePosted_)
        return;
    visiblePosted_ = true;
    QMetaObject::invokeMethod(this, [this] {
        visiblePosted_ = false;
        checkVisible();
    }, Qt::QueuedConnection);
}

void HtmlAids::kindChanged()
{
    if (page() == lastKindPage_)
        return;
    lastKindPage_ = page();
    if (!page() && listShown())
        hooks_->hideList();
    clearMatch();
    restartSpelling();
}

void HtmlAids::optionsChanged()
{
    const AidOptions &o = hub_->options();
    if (listShown() && ((listKind_ == ListKind::EndTag && !o.autoClose) ||
                        (listKind_ != ListKind::EndTag && !o.completion)))
        hooks_->hideList();
    if (!hub_->options().matchTags)
        clearMatch();
    else
        scheduleMatch();
    restartSpelling();
}

void HtmlAids::clearSpelling()
{
    const int length = memo_->textLength();
    if (length > 0)
        hooks_->unmark(kSpellMark, 0, length);
}

void HtmlAids::restartSpelling()
{
    source_.changed();
    screenStale_ = true;
    placeOffset_ = -1;
    clearSpelling();
    spellTimer_.stop();
    frontier_ = -1;
    dirtyFrom_ = dirtyTo_ = -1;
    pass_.reset();
    if (!spellingOn() || !hub_->speller())
        return;
    frontier_ = 0;
    pass_ = std::make_unique<PageWords>(hub_->data(), page());
    scheduleVisibleCheck();
    spellTimer_.start(kPauseAfterEditMs);
}

Place HtmlAids::placeFor(int offset)
{
    if (!page())
        return Place::Text;
    if (offset != placeOffset_) {
        place_ = placeAt(source_, offset, kPlaceBound);
        placeOffset_ = offset;
    }
    return place_;
}

void HtmlAids::checkStretch(int from, int to, PageWords &words)
{
    Speller *speller = hub_->speller();
    if (!speller || to <= from)
        return;
    const QString text = source_.mid(from, to);
    hooks_->unmark(kSpellMark, from, to);
    words.feed(text, from, [&](const Word &w) {
        if (!speller->check(w.text))
            hooks_->mark(kSpellMark, w.offset, w.offset + w.length);
    });
}

void HtmlAids::checkVisible()
{
    if (page() != lastKindPage_) {
        kindChanged();
        return;
    }
    if (!spellingOn() || !hub_->speller())
        return;
    source_.changed();
    const int length = memo_->textLength();
    // Text lines, not screen lines: asking where a screen line starts would
    // lay the text out.
    int from = hooks_->lineStart(hooks_->firstVisibleLine());
    int to = hooks_->lineEnd(hooks_->lastVisibleLine());
    if (to - from > kVisibleMost) {
        // A long line on screen: the stretch around the caret.
        const int caret = hooks_->caret();
        from = std::max(from, caret - kVisibleMost / 2);
        to = std::min(to, from + kVisibleMost);
    }
    // Whole words: back to a blank, on to one.
    from = stretchEnd(source_, std::max(0, from - 256), from);
    to = std::min(length, stretchEnd(source_, to, std::min(length, to + 256)));
    if (from == screenFrom_ && !screenStale_) {
        // The same screen: only the lines typed in since.
        if (editFrom_ >= 0) {
            const int a = std::max(from, editFrom_);
            const int b = std::min(std::min(to, length), editTo_);
            if (a < b) {
                PageWords words(hub_->data(), page(), placeFor(a));
                checkStretch(a, b, words);
            }
        }
        editFrom_ = editTo_ = -1;
        return;
    }
    screenFrom_ = from;
    screenStale_ = false;
    editFrom_ = editTo_ = -1;
    PageWords words(hub_->data(), page(), placeFor(from));
    checkStretch(from, to, words);
}

void HtmlAids::spellSlice()
{
    if (!spellingOn() || !hub_->speller()) {
        frontier_ = -1;
        return;
    }
    source_.changed();
    QElapsedTimer clock;
    clock.start();
    const int length = memo_->textLength();
    if (dirtyFrom_ >= 0) {
        const int from = std::min(dirtyFrom_, length);
        const int to = std::min(length, hooks_->lineEnd(hooks_->lineOf(std::min(dirtyTo_, length))));
        dirtyFrom_ = dirtyTo_ = -1;
        PageWords words(hub_->data(), page(), page() ? placeAt(source_, from, kPlaceBound) : Place::Text);
        for (int at = from; at < to;) {
            const int end = stretchEnd(source_, at, std::min(to, at + kStretch));
            checkStretch(at, end, words);
            at = end;
        }
    }
    while (frontier_ >= 0 && clock.nsecsElapsed() < kSliceNs) {
        if (frontier_ >= length) {
            frontier_ = -1;
            pass_.reset();
            break;
        }
        const int end = stretchEnd(source_, frontier_, std::min(length, frontier_ + kStretch));
        checkStretch(frontier_, end, *pass_);
        frontier_ = end;
    }
    if (frontier_ >= 0 || dirtyFrom_ >= 0)
        spellTimer_.start(0);
}

void HtmlAids::finishSpelling()
{
    while (spellingPending()) {
        spellTimer_.stop();
        spellSlice();
    }
}

void HtmlAids::fillContextMenu(int offset, QMenu *menu)
{
    if (!spellingOn() || !hooks_->marked(kSpellMark, offset))
        return;
    const QList<std::pair<int, int>> at = hooks_->marks(kSpellMark, offset, offset + 1);
    Speller *speller = hub_->speller();
    if (at.isEmpty() || !speller)
        return;
    const int from = at.first().first;
    const int to = at.first().second;
    source_.changed();
    QString word;
    PageWords read(hub_->data(), page());
    read.feed(source_.mid(from, to), from, [&](const Word &w) { word = w.text; });
    if (word.isEmpty())
        return;
    QAction *before = menu->actions().value(0);
    QList<QAction *> added;
    const QStringList suggestions = speller->suggest(word, 8);
    for (const QString &s : suggestions) {
        auto *a = new QAction(s, menu);
        QFont bold = a->font();
        bold.setBold(true);
        a->setFont(bold);
        connect(a, &QAction::triggered, this, [this, from, to, s] {
            hooks_->replace(from, to, s, int(s.size()));
            source_.changed();
            scheduleVisibleCheck();
        });
        added << a;
    }
    if (suggestions.isEmpty()) {
        auto *none = new QAction(QStringLiteral("(no suggestions)"), menu);
        none->setEnabled(false);
        added << none;
    }
    auto *add = new QAction(QStringLiteral("Add to Dictionary"), menu);
    add->setObjectName(QStringLiteral("addToDictionary"));
    connect(add, &QAction::triggered, this, [this, word] {
        if (const Result r = hub_->addWord(word); !r)
            dialogs().error(r.message, memo_);
    });
    added << add;
    menu->insertActions(before, added);
    if (before)
        menu->insertSeparator(before);
}

} // namespace htmlaid
