#include "app/statistics.h"

#include <gtest/gtest.h>

#include <random>
#include "services/text/text.h"

namespace wrivo {
namespace {

const auto shared = [](std::string text) { return std::make_shared<const std::string>(std::move(text)); };

std::string captionFor(const char* n, const char* m)
{
    return std::string("Orvanne提醒您:    当前文档共计:  ") + n + "  个段落,总字数为:  " + m + "  字。";
}

struct Counts {
    const char* document;
    std::int32_t lineBreaks;
    std::int32_t paragraphs;
    double characters;
};

TEST(Statistics, CountsParagraphsAndHalfBytesLessTrackedBreaks)
{
    const Counts cases[] = {
        {"", 0, 0, 0},
        {"字", 0, 1, 1},
        {"abc", 0, 1, 1.5},
        {"  　", 0, 1, 0},               // two spaces and a full-width space
        {"a\r\nb", 1, 2, 1},             // (4 / 2.0) - 1
        {"中文 abcde\r\nfg", 1, 2, 5.5}, // 13 bytes without the space
        {"\r\n\r\n\r\n", 3, 3, 0},       // three empty paragraphs
        {"a\r\nb\r\n", 0, 2, 3},         // no empty last paragraph
        {"a\r\n\r\nb", 0, 3, 3},         // an empty line is a paragraph
        {"ab", 5, 1, -4},                // the estimate may go negative
        {"a\tb", 0, 1, 1.5},             // tabs count
    };
    for (const Counts& c : cases) {
        DocumentStatistics stats;
        for (int i = 0; i < c.lineBreaks; ++i) stats.enterPressed();
        stats.refresh(shared(c.document));
        EXPECT_EQ(stats.paragraphCount(), c.paragraphs) << c.document;
        EXPECT_EQ(stats.characterCount(), c.characters) << c.document;
    }
}

TEST(Statistics, CaptionShowsIntegerParagraphsAndDoubleCharacters)
{
    DocumentStatistics stats;
    stats.enterPressed();
    stats.refresh(shared("中文 abcde\r\nfg"));
    EXPECT_EQ(stats.caption(), captionFor("2", "5.5"));

    stats.refresh(shared("字"));
    EXPECT_EQ(stats.caption(), captionFor("1", "0"));

    for (int i = 0; i < 3; ++i) stats.enterPressed();
    stats.refresh(shared(""));
    EXPECT_EQ(stats.caption(), captionFor("0", "-4"));
}

TEST(Statistics, TenLinesOpenedFromAFileCountEveryBreak)
{
    std::string document;
    for (int i = 0; i < 10; ++i) document += i ? "\r\nx" : "x";
    DocumentStatistics stats;
    stats.refresh(shared(document));
    EXPECT_EQ(stats.paragraphCount(), 10);
    EXPECT_EQ(stats.characterCount(), 10 * 0.5 + 9);
}

TEST(Statistics, BackspaceRuleFollowsThePiecesBeforeTheKey)
{
    // Type a letter, Enter, a letter; then Backspace twice at the end.
    DocumentStatistics stats;
    stats.enterPressed();
    stats.refresh(shared("a\r\nb"));
    EXPECT_EQ(stats.lineBreakCount(), 1);
    EXPECT_EQ(stats.characterCount(), 1);

    stats.backspacePressed(); // P = 2 in "a\r\nb": neither equal nor less
    EXPECT_EQ(stats.lineBreakCount(), 1);
    stats.refresh(shared("a\r\n"));

    stats.backspacePressed(); // P = 1 = count in "a\r\n"
    EXPECT_EQ(stats.lineBreakCount(), 0);
    stats.refresh(shared("a"));
    EXPECT_EQ(stats.characterCount(), 0.5);

    // P below the count drops it to P - 1.
    DocumentStatistics many;
    for (int i = 0; i < 5; ++i) many.enterPressed();
    many.refresh(shared("a\r\nb"));
    many.backspacePressed();
    EXPECT_EQ(many.lineBreakCount(), 1);

    // An empty document has no pieces: 0 < 1 gives -1.
    DocumentStatistics one;
    one.enterPressed();
    one.backspacePressed();
    EXPECT_EQ(one.lineBreakCount(), -1);

    one.resetLineBreaks();
    EXPECT_EQ(one.lineBreakCount(), 0);
}

TEST(Statistics, RowsHoldEachParagraphsCount)
{
    DocumentStatistics stats;
    stats.refresh(shared("ab\r\n字 字\r\n\r\nxyz"));
    ASSERT_EQ(stats.paragraphCount(), 4);
    EXPECT_EQ(stats.rowText(0), "1");
    EXPECT_EQ(stats.rowText(1), "2");
    EXPECT_EQ(stats.rowText(2), "0");
    EXPECT_EQ(stats.rowText(3), "1.5");
}

TEST(Statistics, ParagraphSelectionIsInBytesAndIgnoresRowsWithoutParagraph)
{
    DocumentStatistics stats;
    stats.refresh(shared("ab\r\n字\r\nxyz"));
    EXPECT_EQ(stats.paragraphSelection(2), (ByteSelection{8, 3}));
    EXPECT_EQ(stats.paragraphSelection(1), (ByteSelection{4, 2}));
    EXPECT_EQ(stats.paragraphSelection(0), (ByteSelection{0, 2}));
    EXPECT_FALSE(stats.paragraphSelection(3).has_value());
    EXPECT_FALSE(stats.paragraphSelection(-1).has_value());
}

TEST(Statistics, ParagraphsAreTheSplitTextPiecesOfTheLastRefresh)
{
    const std::string document = "第一段 one\r\n\r\n第三段\xB5\r\n末";
    DocumentStatistics stats;
    stats.refresh(shared(document));
    const auto pieces = splitText(document, "\r\n");
    ASSERT_EQ(stats.paragraphCount(), static_cast<std::int32_t>(pieces.size()));
    for (std::size_t k = 0; k < pieces.size(); ++k) EXPECT_EQ(stats.paragraph(k), pieces[k]);
    EXPECT_EQ(stats.characterCount(), textLength(removeAllSpaces(document)) / 2.0);
}

TEST(Statistics, RowCountsAreWrittenAsTheDoubleTextWouldBe)
{
    for (std::uint64_t bytes = 0; bytes < 5000; ++bytes)
        ASSERT_EQ(halfCountText(bytes), toText(Value{static_cast<double>(bytes) / 2.0})) << bytes;
    for (std::uint64_t bytes : {99'999'999ull, 2'147'483'647ull, 4'294'967'295ull, 1'999'999'999'999ull,
                                2'000'000'000'001ull, 123'456'789'012'345ull})
        EXPECT_EQ(halfCountText(bytes), toText(Value{static_cast<double>(bytes) / 2.0})) << bytes;
}

} // namespace

// A random walk of edits (high bytes, 0x80, 0xFF, full-width spaces, "\r\n"
// pairs split and joined) measured only where each happened agrees with a
// whole recount after every edit: paragraphs, their places, the count.
TEST(Statistics, MeasuringOnlyTheChangedStretchAgreesWithAWholeRecount)
{
    std::mt19937 random(29);
    const std::string pieces[] = {"a", " ", "\r\n", "\r", "\n", "\x80", "\xFF", "\xB0\xA1", "\xA1\xA1", "\xA1", "\xB0"};
    auto randomText = [&](int most) {
        std::string text;
        for (int n = static_cast<int>(random() % static_cast<unsigned>(most + 1)); n > 0; --n)
            text += pieces[random() % std::size(pieces)];
        return text;
    };
    DocumentStatistics walked;
    std::string text = randomText(40);
    walked.refresh(shared(text));
    for (int step = 0; step < 20000; ++step) {
        const std::size_t offset = random() % (text.size() + 1);
        const std::size_t removed = std::min<std::size_t>(random() % 5, text.size() - offset);
        const std::string inserted = random() % 3 == 0 ? std::string() : randomText(3);
        std::string next = text;
        next.replace(offset, removed, inserted);
        const bool fresh = next.size() > 400;
        if (fresh) next = randomText(40); // a new document now and then
        // Told the edit as made, or the stretch found by comparing the texts.
        const TextChange change =
            !fresh && random() % 2 ? TextChange{offset, removed, inserted.size()} : changedStretch(text, next);
        walked.refresh(shared(next), change);
        DocumentStatistics whole;
        whole.refresh(shared(next));
        ASSERT_EQ(walked.paragraphCount(), whole.paragraphCount()) << step;
        ASSERT_EQ(walked.characterCount(), whole.characterCount()) << step;
        for (std::int32_t k = 0; k < whole.paragraphCount(); ++k) {
            ASSERT_EQ(walked.paragraph(static_cast<std::size_t>(k)), whole.paragraph(static_cast<std::size_t>(k)))
                << step;
            ASSERT_EQ(walked.paragraphSelection(k), whole.paragraphSelection(k)) << step;
        }
        text = std::move(next);
    }
}

} // namespace wrivo
