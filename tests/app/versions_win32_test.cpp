// Versions kept at save and the history dialog on the real main window: what saves keep, "打开" of an older
// version and its save, the limit of a file's versions, one history whichever name reaches the file, names the shelf
// cannot read, and versions that cannot be kept.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <string>
#include <vector>

#include "app/document.h"
#include "app/layout_content.h"
#include "app/recovery.h"
#include "app/versions.h"
#include "services/dialogs/versions_dialog.h"
#include "services/store/files.h"
#include "services/store/recovery_store.h"
#include "services/store/version_files.h"
#include "services/text/code_page.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/main_window_scenario_win32.h"
#include "tests/support/scratch_folder_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

// Answers the history dialog: its lines read into `lines`, line `pick` chosen, then `key` (Enter opens, Esc closes).
DialogDriver::Answer keyOnList(WPARAM key, std::vector<std::string>& lines, int pick = 0)
{
    return [key, pick, &lines](DialogWindow& box) {
        HWND list = box.control(historyVersionsListId);
        lines = listRows(list);
        SendMessageA(list, LB_SETCURSEL, pick, 0);
        PostMessageA(list, WM_KEYDOWN, key, 0);
    };
}

class Versions : public MainWindowScenario {
protected:
    Versions()
        : MainWindowScenario({HandlerIndex::refreshStatistics, HandlerIndex::editBoxKeyDown, HandlerIndex::saveDocument,
                              HandlerIndex::showHistory})
    {
    }

    // The texts of the file's versions, newest first, once the worker is done.
    std::vector<std::string> versions(const std::string& path)
    {
        settleRecovery();
        std::vector<std::string> texts;
        std::uint64_t size = 0;
        for (const VersionsEntry& entry : listedVersionsOf(path))
            texts.push_back(readVersionsEntry(entry, size).value_or("(unreadable)"));
        return texts;
    }

    // Ctrl+S to `path` through the save dialog (replacing the file when it is there), of `text` when given.
    void save(const std::string& path, const char* text = nullptr)
    {
        if (text) setDocument(text);
        DialogDriver driver;
        driver.answer(chooseFile(path));
        if (fileExists(path)) driver.press("Yes"); // replace it?
        driver.press("OK");
        shortcut('S');
        ASSERT_TRUE(driver.finish()) << driver.report();
        EXPECT_EQ(driver.seen().back().title, "恭喜：");
    }

    ScratchFolder folder;
};

TEST_F(Versions, SavesOfChangedTextKeepTheOldAndOpenBringsItBack)
{
    const std::string path = folder.file("第一章.txt");
    for (const char* draft : {"一稿", "二稿 more", "三稿 more words"}) save(path, draft);
    EXPECT_EQ(versions(path), (std::vector<std::string>{"二稿 more", "一稿"}));
    save(path, "三稿 more words");
    EXPECT_EQ(versions(path).size(), 2u) << "an unchanged save keeps nothing";

    std::vector<std::string> lines;
    answered([&] { press(VK_F8); }, {keyOnList(VK_ESCAPE, lines)});
    EXPECT_EQ(document().text(), "三稿 more words");
    EXPECT_EQ(answered([&] { press(VK_F8); }, {keyOnList(VK_RETURN, lines, 1)}).at(0).title, "历史版本");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("\t3 字\t+1 字"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("\t2 字\t"), std::string::npos) << lines[1];
    EXPECT_EQ(document().text(), "一稿");
    EXPECT_EQ(document().file(), path);
    EXPECT_TRUE(documentModified());
    EXPECT_EQ(fileBytes(path), "三稿 more words") << "written only when the user saves";
    save(path);
    EXPECT_EQ(fileBytes(path), "一稿");

    // The file's versions stop at the limit, the oldest going first.
    const std::string newest = listedVersionsOf(path).at(0).shownPath;
    const std::string history = newest.substr(0, newest.rfind('\\'));
    for (int i = 0; i < 100; ++i)
        putFileBytes(history + "\\" + versionFileName({{2020, 1, 1}, 0, i / 60, i % 60}, 1),
                     "old " + std::to_string(i));
    save(path, "四稿");
    const std::vector<std::string> kept = versions(path);
    ASSERT_EQ(kept.size(), versionsPerFile);
    EXPECT_EQ(std::vector<std::string>(kept.begin(), kept.begin() + 5),
              (std::vector<std::string>{"一稿", "三稿 more words", "二稿 more", "一稿", "old 99"}));
    EXPECT_EQ(kept.back(), "old 4") << "the four oldest went";
    EXPECT_TRUE(fileExists(history + "\\path.txt"));

    // Versions dated ahead by a clock since set back are the oldest: the text each save replaces stays.
    for (int i = 0; i < 100; ++i)
        putFileBytes(history + "\\" + versionFileName({{2099, 1, 1}, 0, i / 60, i % 60}, 1), "ahead");
    save(path, "五稿");
    save(path, "六稿");
    const std::vector<std::string> afterAhead = versions(path);
    EXPECT_EQ(std::ranges::count(afterAhead, "四稿"), 1);
    EXPECT_EQ(std::ranges::count(afterAhead, "五稿"), 1);
    EXPECT_EQ(std::ranges::count(afterAhead, "ahead"), 0);
}

// One file reached by its long name or its short (8.3) name has one history. A folder named, as they once were, by
// the path as given becomes the file's own when that is free, else is listed beside it.
TEST_F(Versions, OneFileHasOneHistoryWhicheverNameReachesIt)
{
    const std::string path = folder.file("第一章 风起云涌.txt");
    putFileBytes(path, "text");
    char shortName[MAX_PATH] = "", upper[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), shortName, MAX_PATH);
    if (path == shortName) GTEST_SKIP() << "this volume gives no short names";
    const std::wstring folded = widened(CharUpperA(std::strcpy(upper, shortName)));
    const std::string earlier =
        historyFolder() + "\\" + historyFolderName({reinterpret_cast<const char16_t*>(folded.data()), folded.size()});
    auto putEarlier = [&](int second, const char* text) {
        CreateDirectoryA(earlier.c_str(), nullptr);
        putFileBytes(earlier + "\\" + versionFileName({{2020, 1, 1}, 0, 0, second}, 1), text);
    };
    putEarlier(0, "earlier");
    keepVersion(shortName, {reinterpret_cast<const std::uint8_t*>("kept"), 4}, 1, {{2021, 1, 1}, 0, 0, 0});
    for (const std::string& name : {path, std::string(shortName)})
        EXPECT_EQ(versions(name), (std::vector<std::string>{"kept", "earlier"})) << name;
    putEarlier(1, "met again");
    EXPECT_EQ(versions(shortName), (std::vector<std::string>{"kept", "met again", "earlier"}));
}

TEST_F(Versions, StrangeFilesAreListedAsTheyAreOrSkippedAndNeverRemoved)
{
    const std::string shelf = localData() + "\\Wrivo\\Discarded";
    ASSERT_TRUE(CreateDirectoryA((localData() + "\\Wrivo").c_str(), nullptr) &&
                CreateDirectoryA(shelf.c_str(), nullptr));
    putFileBytes(shelf + "\\说明.txt", "foreign");
    putFileBytes(shelf + "\\20261209-100000 old.txt", "shelved before names carried the count");
    putFileOfSize(shelf + "\\20261209-110000（5字） big.txt", largestReadableFile + 1);
    // A name code page 936 cannot spell (Thai).
    putFileBytes(shelf + "\\20261209-120000（2字） x.txt", "xy");
    ASSERT_TRUE(MoveFileW((widened(shelf) + L"\\20261209-120000（2字） x.txt").c_str(),
                          (widened(shelf) + L"\\20261209-120000（2字） \u0E01.txt").c_str()));

    const std::vector<VersionsEntry> listed = listedShelf();
    ASSERT_EQ(listed.size(), 3u);
    std::uint64_t size = 0;
    EXPECT_EQ(listed[0].shownPath, shelf + "\\20261209-120000（2字） ?.txt");
    EXPECT_EQ(readVersionsEntry(listed[0], size), "xy");
    EXPECT_FALSE(readVersionsEntry(listed[1], size));
    EXPECT_GT(size, largestReadableFile);
    EXPECT_FALSE(listed[2].words);
    EXPECT_EQ(listed[2].head, "shelved before names") << "twenty characters";

    // The store's own files get no versions.
    EXPECT_FALSE(versions::bytesBeforeSave(shelf + "\\20261209-100000 old.txt", "other"));
    tidyVersions();
    EXPECT_EQ(namesInFolder(shelf).size(), 4u);
}

// A file where the History folder should be, then a file too large to read whole: no version can be kept.
TEST_F(Versions, VersionsThatCannotBeKeptLetTheSaveHappenAndAreSaidOnce)
{
    ASSERT_TRUE(CreateDirectoryA((localData() + "\\Wrivo").c_str(), nullptr));
    putFileBytes(localData() + "\\Wrivo\\History", "not a folder");
    const std::string path = folder.file("稿.txt");
    for (const char* draft : {"one", "two"}) save(path, draft);
    settleRecovery();
    EXPECT_EQ(fileBytes(path), "two");
    EXPECT_NE(answered(recovery::reportStoreTrouble, {pressing("OK")}).at(0).message().find("History"),
              std::string::npos);
    save(path, "three");
    settleRecovery();
    EXPECT_EQ(fileBytes(path), "three");
    const std::string large = folder.file("大.txt");
    putFileOfSize(large, largestReadableFile + 1);
    save(large, "small");
    EXPECT_NE(answered(recovery::reportStoreTrouble, {pressing("OK")}).at(0).message().find(large), std::string::npos);
    putFileOfSize(large, largestReadableFile + 1);
    save(large, "smaller");
    EXPECT_EQ(fileBytes(large), "smaller");
    DialogDriver quiet(2000);
    quiet.press("OK"); // would catch a second notice
    recovery::reportStoreTrouble();
    EXPECT_TRUE(quiet.seen().empty());
}

} // namespace
} // namespace wrivo
