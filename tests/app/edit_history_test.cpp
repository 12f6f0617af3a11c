#include "app/edit_history.h"

#include <gtest/gtest.h>

#include <random>

#include "services/controls/edit_selection.h"

namespace wrivo {
namespace {

// A document and its history, changed the way the edit box changes it.
struct Editor {
    std::string text;
    EditHistory history;
    std::uint64_t clock = 100000;

    void change(std::string after, std::uint64_t pauseMs = 100)
    {
        clock += pauseMs;
        history.recordChange(text, after, clock);
        text = std::move(after);
    }
    void type(std::string_view characters, std::size_t at)
    {
        for (char c : characters) {
            change(text.substr(0, at) + c + text.substr(at));
            ++at;
        }
    }
    // A step of one place goes back through the edit box's character
    // offsets, as the editor replays it; more places give the whole text anew.
    void replay(const EditStep& step, bool undo)
    {
        if (step.places.size() != 1) {
            text = undo ? textBeforeStep(text, step) : textAfterStep(text, step);
            return;
        }
        const TextChange& place = step.places.front();
        const auto length = static_cast<std::int32_t>(undo ? place.insertedLength : place.removedLength);
        const std::int32_t start = charactersInBytes(text, static_cast<std::int32_t>(place.offset));
        const std::int32_t end = start + charactersInBytes(text.substr(place.offset), length);
        text = text.substr(0, bytesInCharacters(text, start)) + (undo ? step.removed : step.inserted) +
               text.substr(bytesInCharacters(text, end));
    }
    ByteSelection undo()
    {
        const EditStep* step = history.undo();
        EXPECT_NE(step, nullptr);
        replay(*step, true);
        return step->selectionBefore;
    }
    ByteSelection redo()
    {
        const EditStep* step = history.redo();
        EXPECT_NE(step, nullptr);
        replay(*step, false);
        return step->selectionAfter;
    }
};

TEST(EditHistory, TypingIsOneStepUntilAPauseACaretMoveOrAnotherKindOfChange)
{
    Editor e;
    e.type("abc", 0);
    e.change("abcd", 1000); // a pause of a second starts a new step
    e.type("e", 4);
    e.history.breakRun(); // the caret moved (and came back)
    e.type("f", 5);
    e.change("abcde"); // Backspace
    e.change("abcd");  // and again: the same step
    e.change("abcdX\r\n中");
    e.type("g", 2); // typed elsewhere: a new step
    EXPECT_EQ(e.text, "abgcdX\r\n中");
    EXPECT_EQ(e.history.stepCount(), 6u);

    const std::vector<std::string> before = {"abcdX\r\n中", "abcd", "abcdef", "abcde", "abc", ""};
    for (const std::string& expected : before) {
        e.undo();
        EXPECT_EQ(e.text, expected);
    }
    EXPECT_FALSE(e.history.canUndo());
    for (auto it = before.rbegin() + 1; it != before.rend(); ++it) {
        e.redo();
        EXPECT_EQ(e.text, *it);
    }
    e.redo();
    EXPECT_EQ(e.text, "abgcdX\r\n中");
    EXPECT_FALSE(e.history.canRedo());
}

TEST(EditHistory, UndoRestoresTheSelectionBeforeAndRedoTheOneAfter)
{
    Editor e;
    e.change("一二三四");
    e.type("x", 4);                             // typed after "一二"
    EXPECT_EQ(e.undo(), (ByteSelection{4, 0})); // the caret where typing began
    EXPECT_EQ(e.redo(), (ByteSelection{5, 0})); // and after the typed character
    e.change("一二x三");                        // Backspace over "四"
    EXPECT_EQ(e.undo(), (ByteSelection{9, 0})); // the caret after the deleted character
    e.redo();
    e.change("一y三");                          // "二x" selected, "y" typed over it
    EXPECT_EQ(e.undo(), (ByteSelection{2, 3})); // the selection typed over
    EXPECT_EQ(e.text, "一二x三");
    // A new change drops what could have been redone.
    e.type("z", 0);
    EXPECT_FALSE(e.history.canRedo());
    e.undo();
    EXPECT_EQ(e.text, "一二x三");
}

TEST(EditHistory, AStepOfManyPlacesUndoesAndRedoesWhole)
{
    Editor e;
    e.change("a张三b张三c");
    EditStep step;
    step.places = {{1, 4, 4}, {6, 4, 4}};
    step.removed = "张三张三";
    step.inserted = "李四李四";
    e.history.recordStep(step, e.text.size());
    e.text = textAfterStep(e.text, step);
    EXPECT_EQ(e.text, "a李四b李四c");
    e.undo();
    EXPECT_EQ(e.text, "a张三b张三c");
    e.redo();
    EXPECT_EQ(e.text, "a李四b李四c");

    // Places that change the length shift the ones after them.
    EditStep growing = EditStep::single(0, "a", "", {}, {});
    growing.places = {{0, 1, 3}, {5, 1, 0}, {10, 1, 2}};
    growing.removed = "abc";
    growing.inserted = "xyz"
                       "uv";
    const std::string before = "a李四b李四c";
    const std::string after = textAfterStep(before, growing);
    EXPECT_EQ(after, "xyz李四李四uv");
    EXPECT_EQ(textBeforeStep(after, growing), before);
    // A place of the text before moves with the places before it; inside a
    // replaced stretch it goes to the end of what replaced it.
    const std::size_t moves[][2] = {{0, 0}, {1, 3}, {6, 7} /* after "b" */, {11, 13}};
    for (const auto& move : moves) EXPECT_EQ(offsetAfterStep(growing, move[0]), move[1]) << move[0];
    EXPECT_EQ(offsetAfterStep(step, 3), 5u); // inside the first "张三"
}

// A correction found by a later check becomes part of the text the steps
// left: undo never puts back the text the box did not hold.
TEST(EditHistory, ACorrectionBecomesPartOfTheStepsNotAStepOfItsOwn)
{
    struct Case {
        const char* corrected; // of "一二abc，XYZ。", which three steps made
        const char* undone[3]; // the text after each undo
    };
    const Case cases[] = {
        {"前一二abc，XYZ。", {"前一二abc，", "前一二", ""}}, // before every step's places
        {"一二abc，XwZ。", {"一二abc，", "一二", ""}},       // inside what the last step put in
        {"一二abc，XYZ。后", {"一二abc，", "一二", ""}},     // at the end of the last step's
        {"一二aQc，XYZ。", {"一二aQc，", "一二", ""}},       // inside an older step's
        {"一二abc，XYZ。", {"一二abc，", "一二", ""}},       // no correction at all
    };
    for (const Case& c : cases) {
        Editor e;
        e.change("一二");
        e.change("一二abc，");
        e.history.recordStep(EditStep::single(9, "", "XYZ。", {9, 0}, {14, 0}), e.text.size());
        e.text += "XYZ。";
        e.history.absorb(changedStretch(e.text, c.corrected), c.corrected);
        e.text = c.corrected;
        for (const char* undone : c.undone) {
            e.undo();
            EXPECT_EQ(e.text, undone) << c.corrected;
        }
        e.redo();
        e.redo();
        e.redo();
        EXPECT_EQ(e.text, c.corrected);
    }
    // Across the edge of what a step put in: the history starts afresh.
    Editor e;
    e.change("一二");
    e.change("一二abc");
    e.history.absorb(changedStretch("一二abc", "一Qbc"), "一Qbc");
    EXPECT_FALSE(e.history.canUndo());
}

TEST(EditHistory, KeepsAThousandStepsAndItsByteBudgetDroppingTheOldestFirst)
{
    Editor e;
    for (int i = 0; i < 1005; ++i) e.change(e.text + "ab", 2000);
    EXPECT_EQ(e.history.stepCount(), EditHistory::maxSteps);
    while (e.history.canUndo()) e.undo();
    EXPECT_EQ(e.text.size(), 10u); // the five oldest steps are gone

    // Steps of half the budget each, with a small document: only the newest stays.
    EditHistory history;
    const std::string big(EditHistory::minByteBudget / 2, 'x');
    for (int i = 0; i < 3; ++i) history.recordStep(EditStep::single(0, "", big, {}, {}), 100);
    EXPECT_EQ(history.stepCount(), 1u);
    EXPECT_LE(history.byteCount(), EditHistory::minByteBudget);
    // A document four times larger than that lets them all stay.
    EditHistory roomy;
    roomy.recordStep(EditStep::single(0, "", big, {}, {}), big.size() * 2);
    roomy.recordStep(EditStep::single(0, big, "", {}, {}), big.size() * 2);
    roomy.recordStep(EditStep::single(0, "", big, {}, {}), big.size() * 2);
    EXPECT_EQ(roomy.stepCount(), 3u);
    roomy.clear();
    EXPECT_FALSE(roomy.canUndo());
    EXPECT_EQ(roomy.byteCount(), 0u);
}

// Random edits of whole characters, with the euro sign (0x80) and 0xFF that
// stand alone in the edit box, come back exactly through undo and redo.
TEST(EditHistory, UndoAndRedoGiveBackEveryTextOfARandomEditWalk)
{
    Editor e;
    const std::string price = std::string("售价99") + '\x80' + "，约合人民币750元";
    e.change(price);
    e.type("x", 9); // after "，"
    e.undo();
    EXPECT_EQ(e.text, price);

    std::mt19937 random(24);
    const std::vector<std::string> pieces = {"a", " ", "\r\n", "\x80", "\xFF", "啊", "，", "\x81\x40", "\xE1\x61"};
    for (int round = 0; round < 200; ++round) {
        e = Editor();
        std::vector<std::string> texts = {""};
        for (int edit = 0; edit < 12; ++edit) {
            // Whole characters as the code page pairs them, as the control edits them.
            const std::int32_t characters = charactersInBytes(e.text, static_cast<std::int32_t>(e.text.size()));
            auto boundary = [&]() -> std::size_t { return bytesInCharacters(e.text, random() % (characters + 1)); };
            const std::size_t from = boundary(), to = random() % 3 == 0 ? boundary() : from;
            std::string put;
            for (auto n = random() % 3; n > 0; --n) put += pieces[random() % pieces.size()];
            const std::size_t low = std::min(from, to), high = std::max(from, to);
            e.change(e.text.substr(0, low) + put + e.text.substr(high), random() % 2 ? 100 : 2000);
            if (e.text != texts.back()) texts.push_back(e.text);
        }
        // Steps may join typed characters, so each undo lands on one of the texts, in order.
        std::size_t at = texts.size() - 1;
        while (e.history.canUndo()) {
            e.undo();
            while (at > 0 && texts[at] != e.text) --at;
            ASSERT_EQ(e.text, texts[at]) << round;
        }
        EXPECT_EQ(e.text, "") << round;
        while (e.history.canRedo()) e.redo();
        EXPECT_EQ(e.text, texts.back()) << round;
    }
}

} // namespace
} // namespace wrivo
