#include "host/file_path.h"

#include <gtest/gtest.h>

namespace wrivo {

TEST(FilePath, FolderIsEverythingBeforeTheLastBackslash)
{
    EXPECT_EQ(folderOfPath("C:\\Tools\\editor.exe"), "C:\\Tools");
    EXPECT_EQ(folderOfPath("C:\\editor.exe"), "C:");
    EXPECT_EQ(folderOfPath("\\\\server\\share\\a.txt"), "\\\\server\\share");
    EXPECT_EQ(folderOfPath("editor.exe"), "");
    EXPECT_EQ(folderOfPath(""), "");
    EXPECT_EQ(folderOfPath("C:\\Tools\\"), "C:\\Tools");
}

TEST(FilePath, ForwardSlashSeparatesToo)
{
    EXPECT_EQ(folderOfPath("C:/Tools/editor.exe"), "C:/Tools");
}

TEST(FilePath, BackslashInsideADoubleByteCharacterIsNotASeparator)
{
    // "\x95\x5C" is one GBK character whose second byte is 0x5C.
    const std::string path = "C:\\docs\\\x95\x5C.txt";
    EXPECT_EQ(folderOfPath(path), "C:\\docs");
    EXPECT_EQ(folderOfPath("\x95\x5C"), "");
    // Chinese folder names are kept whole.
    EXPECT_EQ(folderOfPath("D:\\文档\\草稿.txt"), "D:\\文档");
    // Program names whose last byte before ".exe" is such a trail byte.
    EXPECT_EQ(folderOfPath("C:\\工具\\運.exe"), "C:\\工具");
    EXPECT_EQ(lastSeparator("C:\\誠"), 2u);
}

TEST(FilePath, TrailingLeadByteDoesNotSwallowAnything)
{
    EXPECT_EQ(lastSeparator("a\\\x81"), 1u);
}

} // namespace wrivo
