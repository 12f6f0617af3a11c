// Open and append on files the edit box would lose, mangle or choke on: the
// real main window, the real file dialog and the questions answered as a
// person would, and the document checked after each answer.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/document.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_window.h"
#include "services/text/file_checks.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/main_window_scenario_win32.h"
#include "tests/support/scratch_folder_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;
using namespace std::string_literals;

constexpr const char* keepsDocument = "(选{否}则不读入，当前文档保持不变)";

class FileAdmission : public MainWindowScenario {
protected:
    FileAdmission()
        : MainWindowScenario(
              {HandlerIndex::refreshStatistics, HandlerIndex::openDocument, HandlerIndex::appendDocument})
    {
    }

    // Ctrl+D (open) or Ctrl+F (append) with `path` chosen in the real open
    // dialog, then `answers` pressed in the boxes that follow; the boxes seen
    // after the file dialog.
    std::vector<DialogRecord> run(char command, const std::string& path, std::vector<std::string> answers)
    {
        DialogDriver driver;
        if (command == 'D' && !document().text().empty()) driver.press("Yes"); // "温馨提示：" replace the document?
        driver.answer([path](DialogWindow& box) {
            box.typeFileName(path);
            box.press("OK");
        });
        for (std::string& answer : answers) driver.press(answer);
        press(static_cast<UINT>(command), true);
        EXPECT_TRUE(driver.finish()) << driver.report();
        std::vector<DialogRecord> seen = driver.seen();
        const std::size_t before = command == 'D' && seen.size() > 1 && seen[0].title == "温馨提示：" ? 2 : 1;
        seen.erase(seen.begin(), seen.begin() + static_cast<std::ptrdiff_t>(std::min(before, seen.size())));
        return seen;
    }

    static int rows() { return static_cast<int>(SendMessageA(handleOf(listBoxRef), LB_GETCOUNT, 0, 0)); }

    ScratchFolder folder;
};

TEST_F(FileAdmission, ZeroBytesAreAskedAboutAndYesLoadsWhatComesBeforeThem)
{
    const std::string path = folder.file("zero.txt");
    putFileBytes(path, "abcdef" + "\0"s + std::string(23, 'x')); // 30 bytes, the zero at 6
    const std::string question =
        "文件中有零字节:\r\n\r\n" + path +
        "\r\n\r\n第一个零字节及其后共 24 个字节编辑框无法显示，保存时也不会保留;只有它之前的 6 "
        "个字节能读入。\r\n\r\n仍然读入吗？" +
        keepsDocument;
    setDocument("draft");
    std::vector<DialogRecord> seen = run('D', path, {"No"});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "注意：");
    EXPECT_EQ(seen[0].message(), question);
    EXPECT_EQ(document().text(), "draft");

    seen = run('D', path, {"Yes"});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].message(), question);
    EXPECT_EQ(document().text(), "abcdef");
    EXPECT_EQ(rows(), 1);
}

TEST_F(FileAdmission, Utf16IsOfferedAsGbkWithTheCharactersItCannotHoldCounted)
{
    const std::string path = folder.file("utf16.txt");
    // "中文ab" + U+0E01 (Thai) + "\r\n" + "c", UTF-16 LE with its mark
    putFileBytes(path, "\xFF\xFE"
                       "\x2D\x4E\x87\x65"
                       "a\0b\0"
                       "\x01\x0E"
                       "\r\0\n\0"
                       "c\0"s);
    const std::string question =
        "文件是 UTF-16 LE(带字节顺序标记 BOM) 编码的文字:\r\n\r\n" + path +
        "\r\n\r\n可以转换成 GBK 编码后编辑，保存时将按 GBK 编码写入。\r\n\r\n其中有 1 个字符 GBK "
        "编码无法表示，转换后将变成 ?。\r\n\r\n转换成 GBK 编码读入吗？" +
        keepsDocument;
    setDocument("draft");
    std::vector<DialogRecord> seen = run('D', path, {"No"});
    ASSERT_EQ(seen.size(), 1u) << "no zero-byte question, no notice about non-GBK bytes";
    EXPECT_EQ(seen[0].title, "注意：");
    EXPECT_EQ(seen[0].message(), question);
    EXPECT_EQ(document().text(), "draft");

    seen = run('D', path, {"Yes"});
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(document().text(), "中文ab?\r\nc");
    EXPECT_EQ(rows(), 2);
}

TEST_F(FileAdmission, Utf8IsOfferedAsGbkWhenAppendedWithOrWithoutItsMark)
{
    const std::string marked = folder.file("bom.txt");
    putFileBytes(marked, "\xEF\xBB\xBF\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0\r\n"); // "第一章\r\n"
    setDocument("head\r\n");
    std::vector<DialogRecord> seen = run('F', marked, {"No"});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].message().find("文件是 UTF-8(带字节顺序标记 BOM) 编码的文字"), std::string::npos)
        << seen[0].message();
    EXPECT_NE(seen[0].message().find("其中有 0 个字符"), std::string::npos) << seen[0].message();
    EXPECT_EQ(document().text(), "head\r\n");

    seen = run('F', marked, {"Yes"});
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(document().text(), "head\r\n第一章\r\n");

    const std::string plain = folder.file("plain.txt");
    putFileBytes(plain, "ab\xE4\xB8\xAD \xE6\x96\x87"); // "ab中 文", not GBK
    seen = run('F', plain, {"Yes"});
    ASSERT_EQ(seen.size(), 1u) << "the old notice about non-GBK bytes does not follow";
    EXPECT_NE(seen[0].message().find("文件是 UTF-8 编码的文字"), std::string::npos) << seen[0].message();
    EXPECT_EQ(document().text(), "head\r\n第一章\r\nab中 文");
}

TEST_F(FileAdmission, LoneLineFeedsMakingALongLineAreOfferedAsCrLf)
{
    std::string unix;
    int paragraphs = 0;
    while (unix.size() <= longestQuickLine) {
        unix += "第" + std::to_string(++paragraphs) + "段 ab\n";
    }
    const std::string path = folder.file("unix.txt");
    putFileBytes(path, unix);
    setDocument("draft");
    std::vector<DialogRecord> seen = run('D', path, {"No"});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].message().find("最长的一行将有 " + std::to_string(unix.size()) + " 个字节"), std::string::npos)
        << seen[0].message();
    EXPECT_EQ(document().text(), "draft");

    seen = run('D', path, {"Yes"});
    EXPECT_EQ(seen.size(), 1u);
    const std::string text = document().text();
    const std::string start = "第1段 ab\r\n第2段";
    EXPECT_EQ(text.substr(0, start.size()), start);
    EXPECT_EQ(text.size(), unix.size() + static_cast<std::size_t>(paragraphs));
    EXPECT_EQ(rows(), paragraphs);
    EXPECT_NE(windowText(mainWindowRef).find("共计:  " + std::to_string(paragraphs) + "  个段落"), std::string::npos)
        << windowText(mainWindowRef);
}

TEST_F(FileAdmission, ALongLineWithoutBreaksIsAskedAboutAndNoLeavesTheDocument)
{
    const std::string path = folder.file("long.txt");
    const std::string line(longestQuickLine + 1, 'a');
    putFileBytes(path, "short\r\n" + line + "\r\nend");
    setDocument("draft");
    std::vector<DialogRecord> seen = run('F', path, {"No"});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "注意：");
    EXPECT_EQ(seen[0].message(), "文件中有很长的一行(" + std::to_string(line.size()) +
                                     " 个字节，中间没有换行):\r\n\r\n" + path +
                                     "\r\n\r\n编辑框排版这样长的一行很慢，读入可能要几分钟，程序在此期间没有响应。"
                                     "\r\n\r\n仍然读入吗？" +
                                     keepsDocument);
    EXPECT_EQ(document().text(), "draft");
}

TEST_F(FileAdmission, AShortFileWithLoneLineEndsIsOfferedAsCrLfToo)
{
    const std::string path = folder.file("short-unix.txt");
    putFileBytes(path, "第一段\n第二段\r第三段");
    const std::vector<DialogRecord> seen = run('D', path, {"Yes"});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].message().find("几行文字会连成一段"), std::string::npos) << seen[0].message();
    EXPECT_EQ(document().text(), "第一段\r\n第二段\r\n第三段");
    EXPECT_EQ(rows(), 3);
}

// A refused file's name is never remembered: the next save must not offer to
// overwrite the file the user just turned down.
TEST_F(FileAdmission, WhatIsRefusedLeavesTheDocumentAndTheRememberedFile)
{
    const std::string draft = folder.file("draft.txt");
    putFileBytes(draft, "draft");
    run('D', draft, {});
    const std::string longFile = folder.file("long.txt");
    putFileBytes(longFile, std::string(longestQuickLine + 1, 'a'));
    for (const char command : {'D', 'F'}) {
        run(command, longFile, {"No"});
        run(command, folder.file("nul.txt"), {"OK"});
        EXPECT_EQ(document().text(), "draft") << command;
        EXPECT_EQ(document().file(), draft) << command;
    }
}

TEST_F(FileAdmission, ADeviceNameIsRefusedWithANotice)
{
    setDocument("draft");
    for (const char* name : {"nul.txt", "Nul.TXT"}) {
        const std::string path = folder.file(name);
        std::vector<DialogRecord> seen = run(name[0] == 'n' ? 'D' : 'F', path, {"OK"});
        ASSERT_EQ(seen.size(), 1u) << name;
        EXPECT_EQ(seen[0].title, "读取失败：");
        EXPECT_NE(
            seen[0].message().find("这是 Windows 保留的设备名(CON、PRN、AUX、NUL、COM1、LPT1 等，带不带扩展名都一样)，"
                                   "不是文件。\r\n\r\n当前文档保持不变。"),
            std::string::npos)
            << seen[0].message();
        EXPECT_EQ(document().text(), "draft");
    }
}

} // namespace
} // namespace wrivo
