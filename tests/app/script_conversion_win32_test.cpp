// 转为繁体 (F7) and 转为简体 (Shift+F7) on the real main window: the whole text
// or the selection, one undo step, the notice, writing.txt's Taiwan forms.
#include <windows.h>
#include <gtest/gtest.h>

#include "app/document.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_window.h"
#include "app/units.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/host_harness_win32.h"
#include "tests/support/main_window_scenario_win32.h"
#include "tests/support/scratch_folder_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

class ScriptConversion : public MainWindowScenario {
protected:
    ScriptConversion()
        : MainWindowScenario({HandlerIndex::refreshStatistics, HandlerIndex::editBoxKeyDown, HandlerIndex::undoEdit,
                              HandlerIndex::toTraditional, HandlerIndex::toSimplified})
    {
    }

    // F7 (Shift+F7 for Simplified) as a person presses it; the notice's text.
    std::string convert(bool simplified = false)
    {
        const std::vector<DialogRecord> seen = answered(
            [&] {
                HWND focus = GetFocus();
                postKey(focus ? focus : handleOf(mainWindowRef), VK_F7, false, simplified);
            },
            {pressing("OK")});
        EXPECT_EQ(seen.size(), 1u);
        if (seen.empty()) return {};
        EXPECT_EQ(seen[0].title, "繁简转换");
        return seen[0].message();
    }
};

TEST_F(ScriptConversion, WholeTextOrSelectionAsOneStep)
{
    const std::string text = "头发和发财\r\n第一章 后记";
    setDocument(text);
    document().select({4, 0}); // the caret, after 头发, stays there
    EXPECT_EQ(convert(), "已转换 6 处");
    EXPECT_EQ(editBox.content(), "頭髮和發財\r\n第一章 後記");
    EXPECT_EQ(document().selection(), (EditRange{4, 0}));
    SendMessageA(handleOf(editBoxRef), WM_UNDO, 0, 0); // one step gives the text back
    pumpPending();
    EXPECT_EQ(editBox.content(), text);

    // Only the selection: 髮 after it stays, and the selection stays on what changed.
    setDocument("頭髮和發財");
    document().select({0, 2});
    EXPECT_EQ(convert(true), "已转换 1 处");
    EXPECT_EQ(editBox.content(), "头髮和發財");
    EXPECT_EQ(document().selection(), (EditRange{0, 2}));

    // A character GBK cannot hold stays, and is told.
    setDocument("郭家獅子騧");
    EXPECT_EQ(convert(true), "已转换 1 处（1 处无法用 GBK 表示，未转换）");
    EXPECT_EQ(editBox.content(), "郭家狮子騧");

    // Taiwan's forms, chosen in writing.txt, both ways.
    CreateDirectoryA((localData() + "\\Wrivo").c_str(), nullptr);
    putFileBytes(localData() + "\\Wrivo\\writing.txt", "traditional=tw\r\n");
    setDocument("里面");
    EXPECT_EQ(convert(), "已转换 1 处");
    EXPECT_EQ(editBox.content(), "裡面");
    EXPECT_EQ(convert(true), "已转换 1 处");
    EXPECT_EQ(editBox.content(), "里面");
}

} // namespace
} // namespace wrivo
