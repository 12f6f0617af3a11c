// Files named from outside: dropped on the real main window as a real HDROP
// (DROPFILES in moveable global memory) through the message loop, or named
// on the command line; and the word about a code page that is not GBK. Boxes
// are answered by the dialog driver and read word for word.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/document.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/named_files.h"
#include "app/start_window.h" // warnAboutCodePage
#include "host/host.h"
#include "host/scoped_win32.h"
#include "services/controls/unit_properties.h"
#include "services/dialogs/window_effects.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/host_harness_win32.h"
#include "tests/support/main_window_scenario_win32.h"
#include "tests/support/scratch_folder_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

const std::string replaceTitle = "温馨提示：";
const std::string outsideGbk = "文件名中有 GBK 编码无法表示的字符(下面显示为 ?):\r\n\r\n";
const std::string cannotOpen = "\r\n\r\nWrivo 无法打开这个文件。请把文件改名(只用简体中文、英文字母和数字)后再打开。"
                               "\r\n\r\n当前文档保持不变。";

std::wstring wide(const std::string& gbk)
{
    std::wstring text(gbk.size(), L'\0');
    text.resize(static_cast<std::size_t>(MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()),
                                                             text.data(), static_cast<int>(text.size()))));
    return text;
}

// What the shell hands a window: DROPFILES, then the names, each ended by a
// null, and one more null; owned by the receiver, who calls DragFinish.
HGLOBAL makeDrop(const std::vector<std::wstring>& names)
{
    std::size_t characters = 1;
    for (const std::wstring& name : names) characters += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* at = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
    for (const std::wstring& name : names) {
        std::memcpy(at, name.data(), name.size() * sizeof(wchar_t));
        at += name.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

class NamedFiles : public MainWindowScenario {
protected:
    NamedFiles()
        : MainWindowScenario(
              {HandlerIndex::refreshStatistics, HandlerIndex::openDocument, HandlerIndex::openDroppedFile})
    {
    }

    void drop(const std::vector<std::wstring>& names)
    {
        PostMessageW(handleOf(mainWindowRef), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(names)), 0);
        pumpPending();
    }

    std::string put(const std::string& name, const std::string& bytes)
    {
        const std::string path = folder.file(name);
        putFileBytes(path, bytes);
        return path;
    }

    ScratchFolder folder;
};

// Esc's transparency rewrites the extended style to layered alone; the
// window goes on taking drops through it.
TEST_F(NamedFiles, TheMainWindowAcceptsDroppedFilesAlsoAfterBeingMadeTransparent)
{
    HWND main = handleOf(mainWindowRef);
    EXPECT_TRUE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    setWindowTransparency(reinterpret_cast<std::uintptr_t>(main), 13);
    setWindowTransparency(reinterpret_cast<std::uintptr_t>(main));
    const LONG style = GetWindowLongW(main, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_EX_LAYERED);
    EXPECT_TRUE(style & WS_EX_ACCEPTFILES);

    const std::string path = put("after esc.txt", "still taken");
    drop({wide(path)});
    EXPECT_EQ(document().text(), "still taken");
}

TEST_F(NamedFiles, ADropOnAnEmptyDocumentOpensTheFirstFileUnasked)
{
    const std::string first = put("第 一 稿.txt", "一\r\n二\r\nthree");
    const std::string second = put("second.txt", "not this one");
    EXPECT_TRUE(answered([&] { drop({wide(first), wide(second)}); }, {}).empty()) << "no box at all";
    EXPECT_EQ(document().text(), "一\r\n二\r\nthree");
    EXPECT_EQ(document().file(), first) << "the save dialog offers the dropped file";
    EXPECT_EQ(SendMessageA(handleOf(listBoxRef), LB_GETCOUNT, 0, 0), 3);
}

TEST_F(NamedFiles, ADropOnADocumentAsksFirstAndNoKeepsTheDocument)
{
    const std::string path = put("dropped.txt", "from the drop");
    setDocument("my own words");
    const std::string caption = windowText(mainWindowRef);
    const std::vector<DialogRecord> seen = answered([&] { drop({wide(path)}); }, {pressing("No")});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.at(0).title, replaceTitle);
    EXPECT_EQ(document().text(), "my own words");
    EXPECT_EQ(windowText(mainWindowRef), caption);
    EXPECT_EQ(document().file(), "");

    answered([&] { drop({wide(path)}); }, {pressing("Yes")});
    EXPECT_EQ(document().text(), "from the drop");
    EXPECT_EQ(document().file(), path);
}

TEST_F(NamedFiles, ANameGbkCannotSpellIsRefusedWithAWordAndNothingElse)
{
    // Hangul has no GBK spelling; its "?" would be a wildcard, not a name.
    const std::wstring name = wide(folder.path()) + L"\\稿\uD55C.txt";
    ASSERT_TRUE(ScopedFile(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
    const std::string shown = folder.path() + "\\稿?.txt";
    setDocument("kept");
    {
        const std::vector<DialogRecord> seen = answered([&] { drop({name}); }, {pressing("OK")});
        ASSERT_EQ(seen.size(), 1u) << "no warning about replacing before the refusal";
        EXPECT_EQ(seen.at(0).title, "打开失败：");
        EXPECT_EQ(seen.at(0).message(), outsideGbk + shown + cannotOpen);
    }
    EXPECT_EQ(document().text(), "kept");

    setDocument("");
    const std::vector<DialogRecord> seen = answered(
        [&] {
            openCommandLineFile({name, wide(put("fine.txt", "fine"))});
        },
        {pressing("OK")});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.at(0).message(), outsideGbk + shown + cannotOpen);
    EXPECT_EQ(document().text(), "") << "the first name is the one meant; the next is not tried";
    EXPECT_EQ(document().file(), "");
}

TEST_F(NamedFiles, TheCommandLinesFirstFileIsOpenedAndAMissingOneIsSaidSo)
{
    const std::string path = put("打开 我.txt", "第一行\r\n第二行");
    {
        const std::vector<DialogRecord> seen = answered(
            [&] {
                openCommandLineFile({wide(path), L"C:\\elsewhere.txt"});
            },
            {});
        EXPECT_TRUE(seen.empty()) << "no box at all";
    }
    EXPECT_EQ(document().text(), "第一行\r\n第二行");
    EXPECT_EQ(document().file(), path);
    EXPECT_EQ(SendMessageA(handleOf(listBoxRef), LB_GETCOUNT, 0, 0), 2);

    setDocument("");
    const std::string missing = folder.file("不存在.txt");
    const std::vector<DialogRecord> seen = answered([&] { openCommandLineFile({wide(missing)}); }, {pressing("OK")});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.at(0).title, "读取失败：");
    EXPECT_EQ(seen.at(0).message(), "无法读取文件:\r\n\r\n" + missing + "\r\n\r\n当前文档保持不变。");
    EXPECT_EQ(document().text(), "");
}

TEST_F(NamedFiles, ACodePageOtherThanGbkIsPointedOutOnce)
{
    EXPECT_TRUE(answered([&] { warnAboutCodePage(936); }, {}).empty()) << "GBK itself: no word";
    const std::vector<DialogRecord> seen = answered([&] { warnAboutCodePage(1252); }, {pressing("OK")});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.at(0).title, "代码页提醒：");
    EXPECT_EQ(seen.at(0).message(),
              "Wrivo 读写的是 GBK (简体中文) 编码的文字。\r\n\r\n这台 Windows 让 Wrivo 以另一种代码页 (1252) 运行,"
              "中文会显示错乱,保存时也会写错。\r\n\r\n解决办法(任选其一):\r\n1. 在 Windows 11 上使用 Wrivo;\r\n"
              "2. 在 控制面板 → 区域 → 管理 → 更改系统区域设置 中,把 非 Unicode 程序的语言 设为 中文(简体),"
              "然后重新启动电脑。");
}

} // namespace
} // namespace wrivo
