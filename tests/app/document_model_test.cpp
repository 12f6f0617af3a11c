#include "app/document_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace wrivo {
namespace {

std::uint64_t clockMs = 100000;

// A box that holds its text in a string and hands every write back to the
// model at once, as the edit box raises its content change.
class StringBox final : public EditBoxPort {
public:
    explicit StringBox(DocumentModel& model) : model_(model)
    {
        model.bind(*this, [] { return clockMs += 2000; });
    }
    std::string text, file;
    EditRange selected;

    // The writer's own edit, read back whole or (`whole` false) as a stretch.
    void type(std::size_t at, std::string_view typed, bool whole = true)
    {
        text.insert(at, typed);
        changed(whole);
    }

    std::string content() override { return text; }
    void setContent(std::string content) override
    {
        text = std::move(content);
        changed();
    }
    void replaceRange(const CharacterOffsets&, EditRange range, std::string_view replacement) override
    {
        text.replace(static_cast<std::size_t>(range.start), static_cast<std::size_t>(range.length), replacement);
        changed();
    }
    void replaceRanges(const CharacterOffsets&, std::span<const RangeReplacement> replacements) override
    {
        for (auto place = replacements.rbegin(); place != replacements.rend(); ++place)
            text.replace(static_cast<std::size_t>(place->range.start), static_cast<std::size_t>(place->range.length),
                         place->replacement);
        changed();
    }
    void append(std::string_view appended) override
    {
        text += appended;
        changed();
    }
    EditRange selection(const CharacterOffsets&) override { return selected; }
    void select(const CharacterOffsets&, EditRange range) override { selected = range; }
    std::string rememberedFile() const override { return file; }
    void rememberFile(const std::string& path) override { file = path; }

private:
    void changed(bool whole = true)
    {
        auto after = std::make_shared<std::string>(text);
        model_.boxChanged(after, changedStretch(model_.text(), *after), whole);
    }
    DocumentModel& model_;
};

struct Recorder final : DocumentWatcher {
    std::vector<Change> changes;
    std::vector<std::string> saves;
    void changed(const Change& change) override { changes.push_back(change); }
    void replacing(const std::string& path, const std::string& text) override { saves.push_back(path + "<" + text); }
    void saved(const std::string& path, const std::shared_ptr<const std::string>& text) override
    {
        saves.push_back(path + ">" + *text);
    }
};

// Every transition leaves text, counts and file agreeing, and is told once,
// with a change number never seen before, its cause, and whether it counts
// as writing: what loads or drops text does not, nor does its undo or redo.
TEST(DocumentModel, TransitionsAreWholeAndToldOnceWithCauseAndCounting)
{
    DocumentModel model;
    StringBox box(model);
    Recorder seen;
    model.watch(seen);
    struct Step {
        std::function<void()> run;
        ChangeCause cause;
        bool counts;
        const char* text;
        const char* file;
    };
    const Step steps[] = {
        {[&] { model.open("a.txt", "第一章\r\n正文"); }, ChangeCause::open, false, "第一章\r\n正文", "a.txt"},
        {[&] { box.type(10, "x"); }, ChangeCause::edit, true, "第一章\r\n正x文", "a.txt"},
        {[&] { model.discardText(); }, ChangeCause::clear, false, "", "a.txt"},
        {[&] { model.undo(); }, ChangeCause::undo, false, "第一章\r\n正x文", "a.txt"},
        {[&] { model.redo(); }, ChangeCause::redo, false, "", "a.txt"},
        {[&] { model.undo(); }, ChangeCause::undo, false, "第一章\r\n正x文", "a.txt"},
        {[&] { model.append("b.txt", "，续"); }, ChangeCause::append, false, "第一章\r\n正x文，续", "b.txt"},
        {[&] { model.undo(); }, ChangeCause::undo, false, "第一章\r\n正x文", "a.txt"},
        {[&] { EXPECT_EQ(model.replaceAll("x", "", {}), 1u); }, ChangeCause::replaceAll, true, "第一章\r\n正文",
         "a.txt"},
        {[&] { model.appendAtEnd("  日期"); }, ChangeCause::insert, true, "第一章\r\n正文  日期", "a.txt"},
        {[&] { model.startNew(); }, ChangeCause::newDocument, false, "", "a.txt"},
    };
    std::uint64_t last = model.changeCount();
    for (const Step& step : steps) {
        seen.changes.clear();
        step.run();
        ASSERT_EQ(seen.changes.size(), 1u) << step.text;
        const Change& change = seen.changes.front();
        EXPECT_EQ(change.cause, step.cause) << step.text;
        EXPECT_EQ(change.countsAsWriting, step.counts) << step.text;
        EXPECT_GT(change.number, last) << step.text;
        EXPECT_EQ(change.number, model.changeCount());
        last = change.number;
        EXPECT_EQ(model.text(), step.text);
        EXPECT_EQ(box.text, step.text);
        EXPECT_EQ(*change.after, step.text);
        EXPECT_EQ(model.file(), step.file);
        DocumentStatistics recounted = model.statistics();
        recounted.refresh(model.sharedText());
        EXPECT_EQ(recounted, model.statistics()) << step.text;
    }
    EXPECT_FALSE(seen.changes.front().before->empty()) << "New tells the text it dropped";

    model.replacing("c.txt");
    model.saved("c.txt");
    EXPECT_EQ(seen.saves, (std::vector<std::string>{"c.txt<", "c.txt>"}));
    EXPECT_EQ(model.file(), "c.txt");
}

// Text the box holds beyond a snapshot read from a stretch is taken at the
// next check as a correction: told as one, and never undone as a step.
TEST(DocumentModel, ACheckTakesTheBoxsTextAsACorrectionNotAStep)
{
    DocumentModel model;
    StringBox box(model);
    Recorder seen;
    model.watch(seen);
    box.type(0, "一二");
    box.type(4, "三", false);
    box.text.insert(0, "前"); // what the stretch read missed
    EXPECT_FALSE(model.confirmed());
    model.confirm();
    ASSERT_EQ(seen.changes.back().cause, ChangeCause::correction);
    EXPECT_EQ(model.text(), "前一二三");
    model.undo();
    EXPECT_EQ(box.text, "前一二");
}

} // namespace
} // namespace wrivo
