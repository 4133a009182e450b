#pragma once
// Where the text area cuts text into style runs. Its engine measures a line
// run by run and keeps the widths of runs under 30 bytes in a table; any
// other run costs a text layout of its own, every time its line is laid out.
// Text is therefore cut into short runs that recur: words with the blanks
// after them, groups of marks, and single digits, so that a number seen once
// is measured from digits already kept. Lines then break only at blanks, so
// where a run ends never changes where a line wraps.
//
// A line of megabytes is laid out again in full after every key, at a cost
// that grows with its number of runs, and the engine's positions, kept as
// 32-bit floats, are off by up to a few pixels at its far end, where every
// run starts at such a position. A page holding such a line is wrapped at
// run boundaries too (so that a screen line starts where a run does, not in
// the middle of one drawn from a rounded position); its long lines get
// longer runs, ending where the kind of byte changes once they have a few
// bytes, and its other lines word runs.

namespace textruns {

// Longest run, in bytes, that the engine keeps the widths of.
inline constexpr int kLongestKept = 28;
// Lines longer than this get the longer runs.
inline constexpr long kLongLine = 512 * 1024;
// Shortest run of such a line that a change of kind ends.
inline constexpr int kShortestLongRun = 16;
// How far back a restart looks for a run boundary that does not depend on
// what came before it.
inline constexpr long kLookBack = 64;

enum class Kind : unsigned char { Blank, Break, Word, Digit, Mark };

// Bytes 0x80 and above (any part of a UTF-8 character) count as word bytes.
Kind kindOf(unsigned char c);

enum class Cut : unsigned char {
    Fine,    // words, groups of marks, single digits: lines break at blanks only
    Words,   // words with their blanks, where lines may break at runs
    Long,    // longer runs for a line of megabytes, where lines break at runs
};

// How a line is cut: `breaksAtRuns` when the page wraps at run boundaries.
Cut cutFor(long lineBytes, bool breaksAtRuns);

// Decides byte by byte where runs begin.
class Cutter {
public:
    explicit Cutter(Cut cut) : cut_(cut) {}
    // Whether a new run begins at c, the byte after those seen so far. Never
    // inside a UTF-8 character; a run never grows past kLongestKept bytes.
    bool cuts(unsigned char c);

private:
    Cut cut_;
    Kind previous_ = Kind::Break;   // of the last character
    int length_ = 0;                // bytes in the run so far
};

// The latest position in [max(floor, pos - kLookBack), pos] at which a run
// begins whatever came before it (after a blank; in fine cutting also where
// the kind of byte changes and at a digit), so that cutting may restart
// there; pos itself when there is none. text[i] is the byte at position i.
long restartPoint(const char *text, long pos, long floor, Cut cut);

} // namespace textruns
