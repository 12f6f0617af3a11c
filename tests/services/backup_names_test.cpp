#include "services/store/backup_names.h"

#include <gtest/gtest.h>

#include <set>

namespace wrivo::backup {
namespace {

// Each document saved in turn into one folder that already holds the writer's
// own 第一卷.txt and a copy of 草稿: the names it takes, and the index after.
TEST(BackupNames, EachDocumentKeepsOneNameAndNeverTakesAnother)
{
    std::set<std::string> files = {"第一卷.txt", "notes", ".txt"};
    std::vector<IndexEntry> index = parseIndex("草稿.txt\tD:\\旧\\草稿.txt\r\nbroken line\r\n\tno name\r\n");
    ASSERT_EQ(index.size(), 1u);
    auto exists = [&](std::string_view name) {
        for (const std::string& file : files)
            if (sameName(file, name)) return true;
        return false;
    };
    struct Case {
        std::string_view document, copy;
    };
    const Case cases[] = {
        {"D:\\书\\第一卷.txt", "第一卷 (2).txt"},             // the writer's own file keeps its name
        {"E:\\别处\\第一卷.TXT", "第一卷 (3).TXT"},           // another document of that name, in any case
        {"d:/书/第一卷.txt", "第一卷 (2).txt"},               // the same document, written otherwise
        {"D:\\书\\草稿.txt", "草稿 (2).txt"},                 // the index gives 草稿.txt to another
        {"D:\\旧\\草稿.txt", "草稿.txt"},                     // ... which keeps it
        {"D:\\书\\NOTES", "NOTES (2)"},                       // no extension
        {"D:\\书\\backup-index.txt", "backup-index (2).txt"}, // the index's own name
        {"D:\\书\\.txt", ".txt (2)"},                         // a taken name that is all extension
    };
    for (const Case& c : cases) {
        EXPECT_EQ(copyNameFor(index, c.document, exists), c.copy) << c.document;
        files.insert(std::string(c.copy));
    }
    EXPECT_EQ(index.size(), 7u);
    EXPECT_EQ(index[1], (IndexEntry{"第一卷 (2).txt", "D:\\书\\第一卷.txt"}));
    EXPECT_EQ(parseIndex(indexText(index)), index);

    // A character's second byte may be an ASCII letter, never folded: 罶 is C1 53 ("S"), 羢 C1 73 ("s").
    EXPECT_FALSE(sameName("罶.txt", "羢.txt"));
    EXPECT_TRUE(sameName("C:\\Books\\", "c:/books"));
    EXPECT_EQ(folderOf("D:\\书\\第一卷.txt"), "D:\\书");
    EXPECT_EQ(fileNameOf("第一卷.txt"), "第一卷.txt");
}

} // namespace
} // namespace wrivo::backup
