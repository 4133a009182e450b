#include "documents/textruns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Where runs begin in text, cut from its start.
using textruns::Cut;

std::vector<long> cuts(const std::string &text, Cut cut, long from = 0)
{
    std::vector<long> out;
    textruns::Cutter cutter(cut);
    for (long i = from; i < long(text.size()); ++i)
        if (cutter.cuts(static_cast<unsigned char>(text[size_t(i)])))
            out.push_back(i);
    return out;
}

std::string jsonIndex(int records)
{
    std::string out = "[";
    for (int n = 0; n < records; ++n)
        out += "{\"id\":" + std::to_string(n) + ",\"title\":\"Caf\xc3\xa9 " + std::to_string(n * 7) +
               "\",\"url\":\"/docs/a-very-long-section-name-without-any-blank/page" + std::to_string(n) + "\"},";
    return out + "]";
}

} // namespace

TEST(TextRuns, WordsTakeTheirBlanksAndNumbersAreCutIntoDigits)
{
    for (const Cut cut : {Cut::Fine, Cut::Words, Cut::Long})
        EXPECT_EQ(cuts("one two  three", cut), (std::vector<long>{0, 4, 9}));
    // Marks, words and digits are runs of their own; digits one by one.
    EXPECT_EQ(cuts("<P>page42.", Cut::Fine), (std::vector<long>{0, 1, 2, 3, 7, 8, 9}));
    // Where lines break at runs, only words start runs (and the length).
    EXPECT_EQ(cuts("<P>page42. ab", Cut::Words), (std::vector<long>{0, 11}));
    // On a long line a change of kind ends only a run of some length, and
    // numbers stay whole.
    EXPECT_EQ(cuts("{\"id\":1234567890123,\"title\":\"Page\"}", Cut::Long), (std::vector<long>{0, 19}));
    // A line break ends the run; the next line starts one.
    EXPECT_EQ(cuts("ab\r\ncd", Cut::Fine), (std::vector<long>{0, 4}));
    // Blanks alone start no run, unless the run would grow too long.
    EXPECT_EQ(cuts("x" + std::string(40, ' ') + "y", Cut::Fine), (std::vector<long>{0, 28, 41}));
    // Which cutting a line gets.
    EXPECT_EQ(textruns::cutFor(100, false), Cut::Fine);
    EXPECT_EQ(textruns::cutFor(textruns::kLongLine + 1, false), Cut::Fine);
    EXPECT_EQ(textruns::cutFor(100, true), Cut::Words);
    EXPECT_EQ(textruns::cutFor(textruns::kLongLine + 1, true), Cut::Long);
}

TEST(TextRuns, RunsStayShortAndNeverSplitACharacter)
{
    const std::string text = jsonIndex(200) + " " + std::string(100, 'w') + "\xe2\x82\xac" + std::string(30, 'e');
    for (const Cut cut : {Cut::Fine, Cut::Words, Cut::Long}) {
        const std::vector<long> at = cuts(text, cut);
        ASSERT_FALSE(at.empty());
        EXPECT_EQ(at.front(), 0);
        for (size_t k = 0; k < at.size(); ++k) {
            const long end = k + 1 < at.size() ? at[k + 1] : long(text.size());
            EXPECT_LE(end - at[k], textruns::kLongestKept) << "run at " << at[k];
            EXPECT_NE(static_cast<unsigned char>(text[size_t(at[k])]) & 0xC0, 0x80) << "inside a character at " << at[k];
        }
    }
}

// Cutting may start again at a restart point and finds the same runs from
// there on as cutting from the start did.
TEST(TextRuns, CuttingFromARestartPointMatchesCuttingFromTheStart)
{
    const std::string text = jsonIndex(60) + "\r\nplain words and 12345 numbers \xc3\xa9t\xc3\xa9\r\n" +
                             std::string(90, 'z') + "<b>bold</b>";
    for (const Cut cut : {Cut::Fine, Cut::Words, Cut::Long}) {
        const std::vector<long> whole = cuts(text, cut);
        for (long pos = 1; pos < long(text.size()); pos += 7) {
            const long q = textruns::restartPoint(text.data(), pos, 0, cut);
            ASSERT_LE(q, pos);
            ASSERT_GE(q, pos - textruns::kLookBack);
            if (q == pos)
                continue;   // none found nearby: cutting simply restarts there
            std::vector<long> expected;
            for (const long c : whole)
                if (c >= q)
                    expected.push_back(c);
            EXPECT_EQ(cuts(text, cut, q), expected) << "restart " << q << " for " << pos;
        }
    }
    // Never before the floor it is given.
    EXPECT_EQ(textruns::restartPoint("aaaa bbbb", 8, 6, Cut::Fine), 8);
    EXPECT_EQ(textruns::restartPoint("aaaa bbbb", 8, 2, Cut::Fine), 5);
}
