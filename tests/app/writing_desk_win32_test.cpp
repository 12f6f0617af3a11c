// The writer's desk on the real main window: Ctrl+L and its one undo step, Ctrl+B's dialog with the goal kept in
// writing.txt, the reached-goal notice said once, at the next command, and a log that does not read kept.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "app/app_globals.h"
#include "app/document.h"
#include "app/editing_commands.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/units.h"
#include "app/writing_desk.h"
#include "services/text/datetime.h"
#include "services/writing/manuscript_tidy.h"
#include "services/writing/writing_log.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/host_harness_win32.h"
#include "tests/support/main_window_scenario_win32.h"
#include "tests/support/scratch_folder_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

constexpr int goalField = 202;            // the goal dialog's edit field
constexpr int keepBlankLinesChoice = 111; // the tidy-up's 保留

class WritingDesk : public MainWindowScenario {
protected:
    WritingDesk()
        : MainWindowScenario({HandlerIndex::refreshStatistics, HandlerIndex::editBoxKeyDown, HandlerIndex::undoEdit,
                              HandlerIndex::tidyManuscript, HandlerIndex::dailyGoal, HandlerIndex::clearText,
                              HandlerIndex::appendDocument})
    {
    }

    // Ctrl+L, with the dialog's choices as they are or the button `choice` clicked first; the notice that follows.
    DialogRecord tidyUp(int choice = 0)
    {
        const auto choose = [choice](DialogWindow& box) {
            if (choice) SendMessageA(box.control(choice), BM_CLICK, 0, 0);
            box.press("确定");
        };
        const std::vector<DialogRecord> seen = answered([&] { shortcut('L'); }, {choose, pressing("OK")});
        EXPECT_EQ(seen.size(), 2u);
        return seen.empty() ? DialogRecord{} : seen.back();
    }

    std::string file(const char* name) const { return fileBytes(localData() + "\\Wrivo\\" + name); }
};

// Answers the goal dialog: the goal it shows read into `shown`, then `goal` typed and 确定, or 取消 when there is none.
DialogDriver::Answer goalDialog(std::string& shown, const char* goal = nullptr)
{
    return [&shown, goal](DialogWindow& box) {
        shown = windowText(box.control(goalField));
        if (goal) SetWindowTextA(box.control(goalField), goal);
        box.press(goal ? "确定" : "取消");
    };
}

TEST_F(WritingDesk, TidyUpIsOneUndoStepAndSecondRunChangesNothing)
{
    const std::string text = "他说,你好.\r\n第一章 风起\r\n  正文。";
    setDocument(text);
    EXPECT_EQ(tidyUp().message(), "已整理：缩进 2 段，空行 +2/-0，段尾空格 0 处，标点 2 处");
    const std::string tidied = editBox.content();
    EXPECT_EQ(tidied, tidiedText(text, TidyOptions{}));
    // Blank lines kept as they are now: the choice is remembered, the text stays.
    EXPECT_EQ(tidyUp(keepBlankLinesChoice).message(), "文档已经很整齐，没有改动。");
    EXPECT_EQ(editBox.content(), tidied);
    EXPECT_NE(file("writing.txt").find("blank_lines=keep\r\n"), std::string::npos);
    SendMessageA(handleOf(editBoxRef), WM_UNDO, 0, 0); // the second run recorded no step:
    pumpPending();                                     // one undo gives back the text before the first
    EXPECT_EQ(editBox.content(), text);
}

TEST_F(WritingDesk, GoalIsKeptAndItsReachedNoticeComesOnce)
{
    std::string goalShown;
    EXPECT_EQ(answered([&] { shortcut('B'); }, {goalDialog(goalShown, "4")}).size(), 1u);
    EXPECT_EQ(goalShown, "3000");
    EXPECT_NE(file("writing.txt").find("goal=4\r\n"), std::string::npos);

    // A new run of the application reads its goal back from the store.
    releaseAppGlobals();
    createAppGlobals();
    setDocument("一二三四五六");
    // The typing pause adds the six 字 to today, the goal the day has.
    ASSERT_TRUE(pumpUntil([&] { return file("daily.txt").find(" 6 4\r\n") != std::string::npos; }, 15000))
        << file("daily.txt");

    const std::vector<DialogRecord> reached = answered([&] { shortcut('B'); }, {pressing("OK"), goalDialog(goalShown)});
    ASSERT_EQ(reached.size(), 2u);
    EXPECT_EQ(reached.at(0).message(), "今日目标 4 字已经完成，连续 1 天。");
    EXPECT_EQ(goalShown, "4");

    EXPECT_EQ(answered([&] { shortcut('B'); }, {pressing("取消")}).size(), 1u) << "the notice came once";
}

// Today's typing time comes from minutes.txt, and the speed from it and today's figure.
TEST_F(WritingDesk, GoalDialogShowsTodaysTypingTimeAndSpeed)
{
    const CivilDate date = civilFromDays(writingDay(dateTimeFields(now())));
    char day[16];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d", date.year, date.month, date.day);
    CreateDirectoryA((localData() + "\\Wrivo").c_str(), nullptr);
    putFileBytes(localData() + "\\Wrivo\\daily.txt", std::string(day) + " 600 3000\r\n");
    putFileBytes(localData() + "\\Wrivo\\minutes.txt", std::string(day) + " 30\r\n");
    std::string goalShown;
    const DialogRecord shown = answered([&] { shortcut('B'); }, {goalDialog(goalShown)}).at(0);
    EXPECT_NE(shown.message().find("今日写作 30 分钟，平均 1200 字/小时"), std::string::npos) << shown.message();
}

// Where the store cannot be written the goal still works for the session, and the notice comes once a run.
TEST_F(WritingDesk, UnwritableStoreIsSaidOnce)
{
    putFileBytes(localData() + "\\Wrivo", "a file where the folder should be");
    std::string goalShown;
    const std::vector<DialogRecord> first =
        answered([&] { shortcut('B'); }, {pressing("OK"), goalDialog(goalShown, "10")});
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first.at(0).message(), "写作记录无法保存到 " + localData() + "\\Wrivo，本次运行的目标和字数不会保留。");

    EXPECT_EQ(answered([&] { shortcut('B'); }, {goalDialog(goalShown)}).size(), 1u);
    EXPECT_EQ(goalShown, "10");
}

// Del and an append drop or load text rather than write it: taking either back, or making it again, counts
// no more than it did. Typing and its undo count.
TEST_F(WritingDesk, UndoAndRedoCountAsTheStepTheyTakeBack)
{
    const auto today = [&] {
        writing::typingPaused();
        const std::vector<DayRecord> days = parseDailyLog(file("daily.txt")).days;
        return days.empty() ? -1 : days.back().words;
    };
    setDocument("一二三四五");
    EXPECT_EQ(today(), 5);
    press(VK_DELETE);
    ASSERT_EQ(document().text(), "");
    for (const bool undo : {true, false, true}) {
        undo ? handlers::undoEdit({}) : handlers::redoEdit({});
        EXPECT_EQ(today(), 5) << (undo ? "undo of Del: " : "redo of Del: ") << document().text();
    }
    const std::string appended = localData() + "\\more.txt";
    putFileBytes(appended, "六七八");
    answered([&] { shortcut('F'); }, {chooseFile(appended)});
    ASSERT_EQ(document().text(), "一二三四五六七八");
    for (const bool undo : {true, false}) {
        undo ? handlers::undoEdit({}) : handlers::redoEdit({});
        EXPECT_EQ(today(), 5) << (undo ? "undo of the append: " : "redo of the append: ") << document().text();
    }
    SetFocus(handleOf(editBoxRef));
    PostMessageA(handleOf(editBoxRef), WM_CHAR, 'z', 1);
    pumpPending();
    EXPECT_EQ(today(), 6) << document().text();
    handlers::undoEdit({});
    EXPECT_EQ(today(), 5);
}

// A log that does not read whole is left as it is, and the writer is told once, with its path, at the next command.
TEST_F(WritingDesk, AnUnreadableLogIsNeverWrittenOver)
{
    const std::string daily = localData() + "\\Wrivo\\daily.txt", large(1u << 20, '#');
    CreateDirectoryA((localData() + "\\Wrivo").c_str(), nullptr);
    putFileBytes(daily, large + "\r\n");
    setDocument("一二三");
    writing::typingPaused();
    EXPECT_EQ(file("daily.txt"), large + "\r\n");
    std::string shown;
    const std::vector<DialogRecord> told = answered([&] { shortcut('B'); }, {pressing("OK"), goalDialog(shown)});
    EXPECT_EQ(told.at(0).message().find("写作记录无法完整读取：\r\n\r\n" + daily + "\r\n"), 0u) << told.at(0).message();
    EXPECT_EQ(answered([&] { shortcut('B'); }, {goalDialog(shown)}).size(), 1u) << "told once";
}

} // namespace
} // namespace wrivo
