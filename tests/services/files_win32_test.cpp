// Whole-file reading and writing against the real file system, including a
// real full disk: a save that cannot complete must leave the old document
// exactly as it was.
#include "host/scoped_win32.h"
#include "services/store/files.h"
#include "services/store/files_win32.h"

#include "tests/support/scratch_folder_win32.h"
#include "tests/support/tiny_disk_win32.h"
#include "tests/support/unix_command_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace wrivo {
namespace {

using test::fileBytes;
using test::fileExists;
using test::namesInFolder;
using test::putFileBytes;

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::string textOf(const std::vector<std::uint8_t>& bytes)
{
    return {bytes.begin(), bytes.end()};
}

// Text that does not compress or repeat, so a truncated copy is easy to spot.
std::string patternedText(std::size_t length, char seed)
{
    std::string text(length, '\0');
    unsigned state = static_cast<unsigned char>(seed) * 2654435761u + 1;
    for (auto& c : text) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(' ' + (state >> 16) % 90);
    }
    return text;
}

TEST(ReadFile, GivesTheWholeFileByteForByte)
{
    test::ScratchFolder folder;
    const std::string content = std::string("第一段\r\n第二段\x00尾", 19) + patternedText(70000, 'a');
    putFileBytes(folder.file("doc.txt"), content);

    EXPECT_EQ(textOf(readFile(folder.file("doc.txt"))), content);
    const auto tried = tryReadFile(folder.file("doc.txt"));
    ASSERT_TRUE(tried.has_value());
    EXPECT_EQ(textOf(*tried), content);
}

TEST(ReadFile, EmptyAndMissingBothGiveTheEmptyBlockButOnlyMissingIsAFailure)
{
    test::ScratchFolder folder;
    putFileBytes(folder.file("empty.txt"), "");

    EXPECT_TRUE(readFile(folder.file("empty.txt")).empty());
    EXPECT_TRUE(readFile(folder.file("missing.txt")).empty());
    EXPECT_TRUE(readFile("").empty());

    const auto empty = tryReadFile(folder.file("empty.txt"));
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->empty());
    EXPECT_FALSE(tryReadFile(folder.file("missing.txt")).has_value());
    EXPECT_FALSE(tryReadFile("").has_value());
    EXPECT_FALSE(tryReadFile(folder.path()).has_value()) << "a folder is not a readable file";
}

TEST(ReadFile, FileHeldOpenForWritingByAnotherProgramCannotBeRead)
{
    test::ScratchFolder folder;
    const std::string path = folder.file("busy.txt");
    putFileBytes(path, "busy");
    ScopedFile writer(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_FALSE(tryReadFile(path).has_value());
    EXPECT_TRUE(readFile(path).empty());
    writer.reset();
    EXPECT_EQ(textOf(readFile(path)), "busy");
}

// Past the limit a file is refused before anything is allocated for it, so a
// huge file can never run the program out of memory.
TEST(ReadFile, AFileLargerThanTheLimitIsRefusedAndItsSizeStillKnown)
{
    test::ScratchFolder folder;
    const std::string atLimit = folder.file("at-limit.txt");
    const std::string over = folder.file("over.txt");
    test::putFileOfSize(atLimit, largestReadableFile);
    test::putFileOfSize(over, largestReadableFile + 1);
    EXPECT_EQ(fileSize(over), largestReadableFile + 1);
    EXPECT_FALSE(tryReadFile(over).has_value());
    const auto whole = tryReadFile(atLimit);
    ASSERT_TRUE(whole.has_value());
    EXPECT_EQ(whole->size(), largestReadableFile);
    test::putFileOfSize(over, 5ull << 30);
    EXPECT_EQ(fileSize(over), 5ull << 30) << "sizes past 4 GB";
    EXPECT_FALSE(tryReadFile(over).has_value());
    EXPECT_FALSE(fileSize(folder.file("missing.txt")).has_value());
}

TEST(ReadFile, OthersMayStillReadWhileWeRead)
{
    test::ScratchFolder folder;
    const std::string path = folder.file("shared.txt");
    putFileBytes(path, "shared");
    const ScopedFile reader(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader);
    EXPECT_EQ(textOf(readFile(path)), "shared");
}

// The recovery copy's worker compares the document with its file at any
// moment; a save at that moment must go through.
TEST(WriteFile, SucceedsWhileTheFileIsComparedWithTheDocument)
{
    test::ScratchFolder folder;
    const std::string path = folder.file("shared.txt");
    putFileBytes(path, "old");
    {
        const ScopedFile worker(CreateFileA(path.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(worker);
        EXPECT_TRUE(writeFile(path, {bytesOf("new")}));
    }
    EXPECT_EQ(fileBytes(path), "new");
}

TEST(WriteFile, WritesBlocksInOrderAndReplacesTheOldContent)
{
    test::ScratchFolder folder;
    const std::string path = folder.file("文档.txt");
    putFileBytes(path, patternedText(5000, 'o'));

    EXPECT_TRUE(writeFile(path, {bytesOf("甲乙"), bytesOf(""), bytesOf("\r\n丙")}));
    EXPECT_EQ(fileBytes(path), "甲乙\r\n丙");
    EXPECT_EQ(namesInFolder(folder.path()), std::vector<std::string>{"文档.txt"}) << "no temporary file is left behind";
}

TEST(WriteFile, CreatesANewFile)
{
    test::ScratchFolder folder;
    const std::string path = folder.file("new.txt");
    const std::string content = patternedText(300000, 'n');
    EXPECT_TRUE(writeFile(path, {bytesOf(content)}));
    EXPECT_EQ(fileBytes(path), content);
    EXPECT_EQ(namesInFolder(folder.path()).size(), 1u);
}

TEST(WriteFile, NoBlocksOrOnlyEmptyBlocksEmptyTheFile)
{
    test::ScratchFolder folder;
    putFileBytes(folder.file("a.txt"), "old");
    EXPECT_TRUE(writeFile(folder.file("a.txt")));
    EXPECT_TRUE(fileExists(folder.file("a.txt")));
    EXPECT_EQ(fileBytes(folder.file("a.txt")), "");

    EXPECT_TRUE(writeFile(folder.file("b.txt"), {bytesOf(""), bytesOf("")}));
    EXPECT_TRUE(fileExists(folder.file("b.txt")));
    EXPECT_EQ(fileBytes(folder.file("b.txt")), "");
}

TEST(WriteFile, RelativePathIsTakenFromTheCurrentFolder)
{
    test::ScratchFolder folder;
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.path().c_str()));
    const bool written = writeFile("relative.txt", {bytesOf("here")});
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(written);
    EXPECT_EQ(fileBytes(folder.file("relative.txt")), "here");
    EXPECT_EQ(namesInFolder(folder.path()).size(), 1u);
}

TEST(WriteFile, RefusesWithoutTouchingAnything)
{
    test::ScratchFolder folder;
    EXPECT_FALSE(writeFile("", {bytesOf("x")}));
    EXPECT_FALSE(writeFile(folder.file("no-such-folder\\a.txt"), {bytesOf("x")}));
    EXPECT_FALSE(writeFile(folder.path(), {bytesOf("x")})) << "a folder is not a file";

    const std::string readOnly = folder.file("readonly.txt");
    putFileBytes(readOnly, "keep me");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(writeFile(readOnly, {bytesOf("x")}));
    EXPECT_EQ(fileBytes(readOnly), "keep me");

    const std::string held = folder.file("held.txt");
    putFileBytes(held, "held open");
    ScopedFile reader(CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader);
    EXPECT_FALSE(writeFile(held, {bytesOf("x")})) << "the file is held open by another program";
    reader.reset();
    EXPECT_EQ(fileBytes(held), "held open");

    EXPECT_EQ(namesInFolder(folder.path()).size(), 2u) << "no temporary file is left behind";
}

TEST(WriteFile, AFailureSaysWhyAndWhetherThereWasAFileToKeep)
{
    test::ScratchFolder folder;
    WriteFailure failure;
    const std::string readOnly = folder.file("readonly.txt");
    putFileBytes(readOnly, "keep me");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(writeFile(readOnly, {bytesOf("x")}, failure));
    EXPECT_EQ(failure.systemError, static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(failure.targetExisted);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);

    const std::string held = folder.file("held.txt");
    putFileBytes(held, "held open");
    ScopedFile holder(
        CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_FALSE(writeFile(held, {bytesOf("x")}, failure));
    holder.reset();
    EXPECT_EQ(failure.systemError, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(failure.targetExisted);

    EXPECT_FALSE(writeFile(folder.file("no-such-folder\\a.txt"), {bytesOf("x")}, failure));
    EXPECT_NE(failure.systemError, 0u);
    EXPECT_FALSE(failure.targetExisted);
    ASSERT_FALSE(systemMessage(ERROR_ACCESS_DENIED).empty());
    EXPECT_NE(systemMessage(ERROR_ACCESS_DENIED).back(), '\n');

    EXPECT_TRUE(writeFile(folder.file("fine.txt"), {bytesOf("x")}, failure));
    EXPECT_EQ(failure.systemError, 0u);
}

// ReplaceFile's partial outcomes, brought about in place of the real call as
// its documentation describes them (a backup name given).
struct ReplaceFault {
    inline static DWORD outcome = 0;
    static BOOL WINAPI replace(LPCSTR replaced, LPCSTR, LPCSTR backup, DWORD, LPVOID, LPVOID)
    {
        // _2: the document already carries the backup name (or another one).
        if (outcome == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
            MoveFileA(replaced, backup ? backup : (std::string(replaced) + ".moved").c_str());
        SetLastError(outcome);
        return FALSE;
    }
};

class ReplaceFailure : public ::testing::TestWithParam<DWORD> {
protected:
    void TearDown() override { replaceFileCallForTests(nullptr); }
};

TEST_P(ReplaceFailure, LeavesTheDocumentUnderItsNameAndNoOtherFileBehind)
{
    test::ScratchFolder folder;
    const std::string path = folder.file("稿件.txt");
    putFileBytes(path, "the only copy");
    ReplaceFault::outcome = GetParam();
    replaceFileCallForTests(&ReplaceFault::replace);
    WriteFailure failure;
    EXPECT_FALSE(writeFile(path, {bytesOf("a new draft")}, failure));
    EXPECT_EQ(failure.systemError, GetParam());
    EXPECT_EQ(fileBytes(path), "the only copy");
    EXPECT_EQ(namesInFolder(folder.path()), std::vector<std::string>{"稿件.txt"});

    replaceFileCallForTests(nullptr);
    EXPECT_TRUE(writeFile(path, {bytesOf("a new draft")}));
    EXPECT_EQ(fileBytes(path), "a new draft");
    EXPECT_EQ(namesInFolder(folder.path()), std::vector<std::string>{"稿件.txt"}) << "the backup is removed";
}

INSTANTIATE_TEST_SUITE_P(DocumentedOutcomes, ReplaceFailure,
                         ::testing::Values(DWORD{ERROR_UNABLE_TO_MOVE_REPLACEMENT},
                                           DWORD{ERROR_UNABLE_TO_MOVE_REPLACEMENT_2},
                                           DWORD{ERROR_UNABLE_TO_REMOVE_REPLACED}));

TEST(WriteFile, ThroughASymbolicLinkReplacesTheTargetAndKeepsTheLink)
{
    if (!test::runningUnderWine()) GTEST_SKIP() << "the link is made from the Linux side";
    char name[96];
    std::snprintf(name, sizeof name, "/tmp/wrivo-link-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    const std::string unixFolder = test::shellQuoted(name);
    ASSERT_EQ(test::runUnixCommand("mkdir " + unixFolder + " && cd " + unixFolder +
                                   " && printf 'old words' > book.txt && ln -s book.txt current.txt"),
              0);
    const std::string folder = test::windowsPathOfUnixPath(name);
    EXPECT_TRUE(writeFile(folder + "\\current.txt", {bytesOf("new words")}));
    EXPECT_EQ(fileBytes(folder + "\\book.txt"), "new words");
    EXPECT_EQ(test::runUnixCommand("test -L " + unixFolder + "/current.txt"), 0) << "current.txt is still a link";
    EXPECT_EQ(test::runUnixCommand("test \"$(readlink " + unixFolder + "/current.txt)\" = book.txt"), 0);
    EXPECT_EQ(namesInFolder(folder).size(), 2u);
    test::runUnixCommand("rm -rf " + unixFolder);
}

TEST(WriteFile, ReadBackThroughReadFile)
{
    test::ScratchFolder folder;
    const std::string content = std::string("a\0b", 3) + "汉字";
    EXPECT_TRUE(writeFile(folder.file("rt.txt"), {bytesOf(content)}));
    EXPECT_EQ(textOf(readFile(folder.file("rt.txt"))), content);
}

// The disk holds the old document with room to spare, but not the new one:
// the save fails part-way through and the old document must survive whole.
TEST(WriteFileOnAFullDisk, FailedSaveLeavesTheOldDocumentByteForByte)
{
    test::TinyDisk disk(64 * 1024);
    if (!disk.ready()) GTEST_SKIP() << "full-disk save not tested: " << disk.whyNotReady();
    const std::string path = disk.file("稿件.txt");
    const std::string old = patternedText(20000, 'k');
    ASSERT_TRUE(writeFile(path, {bytesOf(old)}));
    ASSERT_EQ(fileBytes(path), old);

    const std::string bigger = patternedText(200000, 'b');
    EXPECT_FALSE(writeFile(path, {bytesOf(bigger.substr(0, 30000)), bytesOf(bigger.substr(30000))}));
    EXPECT_EQ(fileBytes(path), old) << "the old document must be untouched";
    EXPECT_EQ(namesInFolder(disk.folder()), std::vector<std::string>{"稿件.txt"})
        << "the partial temporary file must be removed";

    // Space is given back: a save that fits still works afterwards.
    const std::string smaller = patternedText(9000, 's');
    EXPECT_TRUE(writeFile(path, {bytesOf(smaller)}));
    EXPECT_EQ(fileBytes(path), smaller);
}

TEST(WriteFileOnAFullDisk, NewFileThatDoesNotFitIsNotLeftHalfWritten)
{
    test::TinyDisk disk(32 * 1024);
    if (!disk.ready()) GTEST_SKIP() << "full-disk save not tested: " << disk.whyNotReady();
    const std::string path = disk.file("new.txt");
    EXPECT_FALSE(writeFile(path, {bytesOf(patternedText(100000, 'x'))}));
    EXPECT_FALSE(fileExists(path));
    EXPECT_TRUE(namesInFolder(disk.folder()).empty());
}

// A disk that has no room for one more file: the temporary file cannot be made.
TEST(WriteFileOnAFullDisk, NoRoomForTheTemporaryFileLeavesTheDocumentAlone)
{
    test::TinyDisk disk(64 * 1024, 2); // the root folder and one file
    if (!disk.ready()) GTEST_SKIP() << "full-disk save not tested: " << disk.whyNotReady();
    const std::string path = disk.file("only.txt");
    putFileBytes(path, "the only copy");
    EXPECT_FALSE(writeFile(path, {bytesOf("replacement")}));
    EXPECT_EQ(fileBytes(path), "the only copy");
    EXPECT_EQ(namesInFolder(disk.folder()), std::vector<std::string>{"only.txt"});
}

// A read-only medium: the save and the store's probe give the permission reason.
TEST(TemporaryFile, AReadOnlyFolderRefusesWithThePermissionReason)
{
    test::TinyDisk disk(64 * 1024);
    if (!disk.ready()) GTEST_SKIP() << "read-only folder not tested: " << disk.whyNotReady();
    EXPECT_EQ(newFileRefusal(disk.folder()), 0u);
    EXPECT_TRUE(namesInFolder(disk.folder()).empty()) << "the probe removes its file";
    putFileBytes(disk.file("kept.txt"), "kept");
    ASSERT_TRUE(disk.makeReadOnly());
    auto permission = [](std::uint32_t code) { return code == ERROR_ACCESS_DENIED || code == ERROR_WRITE_PROTECT; };
    WriteFailure failure;
    EXPECT_FALSE(writeFile(disk.file("new.txt"), {bytesOf("x")}, failure));
    EXPECT_TRUE(permission(failure.systemError) && permission(newFileRefusal(disk.folder()))) << failure.systemError;
    EXPECT_EQ(namesInFolder(disk.folder()), std::vector<std::string>{"kept.txt"});
}

TEST(ProgramDirectory, IsTheFolderOfThisExecutable)
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string expected = module;
    expected.erase(expected.rfind('\\'));
    EXPECT_EQ(programDirectory(), expected);
    EXPECT_NE(programDirectory().back(), '\\');
    EXPECT_TRUE(fileExists(programDirectory() + "\\files_win32_test.exe"));
}

} // namespace
} // namespace wrivo
