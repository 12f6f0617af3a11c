// A document compared with its file on disk in pieces: files past the size
// read whole, files whose text ends at a zero byte, and files that cannot be read.
#include "host/scoped_win32.h"
#include "services/store/file_text_match.h"

#include "services/store/files.h"
#include "tests/support/scratch_folder_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

namespace wrivo {
namespace {

using test::putFileBytes;
using test::putFileOfSize;

// Writes `bytes` at the start of an existing file without shortening it.
void overwriteStart(const std::string& path, const std::string& bytes)
{
    const ScopedFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

TEST(FileHoldsText, AFileLargerThanAWholeReadIsComparedInPieces)
{
    test::ScratchFolder folder;
    const std::string path = folder.file("long.txt");
    // Just past the size read whole, with a change near the end that only a
    // comparison of the last piece can see.
    std::string text(static_cast<std::size_t>(largestReadableFile) + 3, 'a');
    for (std::size_t at = 0; at < text.size(); at += 4099) text[at] = static_cast<char>('b' + at % 20);
    text.replace(text.size() - 6, 6, "结尾\r\n");
    putFileBytes(path, text);
    EXPECT_TRUE(fileHoldsText(path, text));
    std::string changed = text;
    changed[changed.size() - 3] = 'X';
    EXPECT_FALSE(fileHoldsText(path, changed));
    changed = text;
    changed[4099 * 5000] = '!';
    EXPECT_FALSE(fileHoldsText(path, changed)) << "a change in a middle piece";
    text.pop_back();
    EXPECT_FALSE(fileHoldsText(path, text)) << "one byte shorter";
}

TEST(FileHoldsText, TheFilesTextEndsAtItsFirstZeroByte)
{
    test::ScratchFolder folder;
    const std::string path = folder.file("sparse.txt");
    putFileOfSize(path, largestReadableFile + (16u << 20)); // zeros, not written
    overwriteStart(path, "第一段\r\n");
    EXPECT_TRUE(fileHoldsText(path, "第一段\r\n"));
    EXPECT_FALSE(fileHoldsText(path, "第一段\r\n第二段"));
    EXPECT_FALSE(fileHoldsText(path, "第一段"));
}

TEST(FileHoldsText, AFileThatCannotBeReadHoldsTheEmptyText)
{
    test::ScratchFolder folder;
    EXPECT_FALSE(fileHoldsText(folder.file("missing.txt"), "abc"));
    EXPECT_TRUE(fileHoldsText(folder.file("missing.txt"), ""));
    EXPECT_FALSE(fileHoldsText("", "abc"));
    const std::string path = folder.file("held.txt");
    putFileBytes(path, "abc");
    ScopedFile writer(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_EQ(fileHoldsText(path, "abc"), tryReadFile(path).has_value()) << "as a whole-file read sees it";
    writer.reset();
    EXPECT_TRUE(fileHoldsText(path, "abc"));
}

} // namespace
} // namespace wrivo
