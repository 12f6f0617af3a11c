#include <gtest/gtest.h>
#include <random>
#include "services/controls/list_rows.h"

namespace wrivo {
namespace {

std::vector<std::string> textsOf(const ListRows& rows)
{
    std::vector<std::string> texts;
    for (std::int32_t i = 0; i < rows.count(); ++i) texts.push_back(rows.row(i)->text);
    return texts;
}

TEST(ListRows, InsertsEraseAndValuesAreBoundsChecked)
{
    ListRows rows;
    EXPECT_FALSE(rows.insert(-1, "x"));
    EXPECT_FALSE(rows.insert(1, "x")) << "past the end of an empty list";
    EXPECT_TRUE(rows.insert(0, "二", 7));
    EXPECT_TRUE(rows.insert(0, "一"));
    EXPECT_TRUE(rows.insert(2, "三")) << "the count appends";
    EXPECT_EQ(textsOf(rows), (std::vector<std::string>{"一", "二", "三"}));
    EXPECT_EQ(rows.row(1)->value, 7);
    EXPECT_EQ(rows.row(3), nullptr);
    EXPECT_EQ(rows.row(-1), nullptr);
    EXPECT_FALSE(rows.erase(3));
    EXPECT_FALSE(rows.setValue(3, 1));
    EXPECT_TRUE(rows.erase(0));
    EXPECT_EQ(textsOf(rows), (std::vector<std::string>{"二", "三"}));
    rows.resize(4);
    EXPECT_EQ(textsOf(rows), (std::vector<std::string>{"二", "三", "", ""}));
    rows.resize(-5);
    EXPECT_EQ(rows.count(), 0);
}

// The one-step rewrite must leave exactly what the row-by-row insert and
// delete leaves: texts, values, and where a current row ends up.
TEST(ListRows, RewritingLeadingRowsMatchesInsertThenDeleteRowByRow)
{
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        ListRows stepwise;
        const int before = static_cast<int>(random() % 12);
        for (int i = 0; i < before; ++i) stepwise.insert(i, "old" + std::to_string(i), i + 100);
        ListRows oneStep = stepwise;
        int selected = before == 0 ? -1 : static_cast<int>(random() % (before + 1)) - 1;

        std::vector<std::string> texts;
        const int rewritten = static_cast<int>(random() % 12);
        for (int k = 0; k < rewritten; ++k) texts.push_back(std::to_string(random() % 50) + ".5");

        // A single-selection list box moves its current row down on an insert
        // at or above it and loses it when that row is deleted.
        int tracked = selected;
        for (int k = 0; k < rewritten; ++k) {
            stepwise.insert(k, texts[static_cast<std::size_t>(k)]);
            if (tracked >= k) ++tracked;
            if (stepwise.erase(k + 1)) {
                if (tracked == k + 1)
                    tracked = -1;
                else if (tracked > k + 1)
                    --tracked;
            }
        }
        oneStep.rewriteLeading(texts);

        ASSERT_EQ(textsOf(oneStep), textsOf(stepwise)) << "round " << round;
        for (std::int32_t i = 0; i < oneStep.count(); ++i)
            ASSERT_EQ(oneStep.row(i)->value, stepwise.row(i)->value) << "round " << round << " row " << i;
        ASSERT_EQ(selectionAfterRewrite(selected, rewritten), tracked) << "round " << round;
    }
}

TEST(ListRows, ACutDownDocumentKeepsTheOldRowsBeyondIt)
{
    ListRows rows;
    rows.rewriteLeading({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    rows.rewriteLeading({"a", "b", "c", "d", "e"});
    EXPECT_EQ(textsOf(rows), (std::vector<std::string>{"a", "b", "c", "d", "e", "6", "7", "8", "9", "10"}));
    rows.rewriteLeading({});
    EXPECT_EQ(rows.count(), 10) << "no paragraphs rewrites nothing";
}

} // namespace
} // namespace wrivo
