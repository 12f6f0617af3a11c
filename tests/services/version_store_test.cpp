#include "services/store/version_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace wrivo {
namespace {

const auto at = [](int second, int minute = 30) { return DateTimeFields{{2026, 12, 9}, 23, minute, second}; };

TEST(VersionStore, NamesReadBackAndAreListedNewestFirst)
{
    EXPECT_EQ(versionFileName(at(5), 1234), "20261209-233005-1234.txt");
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        const DateTimeFields time{{int(2000 + random() % 99), int(1 + random() % 12), int(1 + random() % 28)},
                                  int(random() % 24),
                                  int(random() % 60),
                                  int(random() % 60)};
        const std::int64_t words = random() % 3 ? random() % 100000 : 0;
        const int duplicate = random() % 4 ? 1 : int(2 + random() % 50);
        const std::optional<VersionName> parsed = parseVersionFileName(versionFileName(time, words, duplicate));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->words, words);
        EXPECT_EQ(parsed->time.duplicate, duplicate);
        EXPECT_EQ(parsed->time.stamp % 1'000'000, std::uint64_t(time.hour * 10000 + time.minute * 100 + time.second));
    }
    for (const char* foreign : {"path.txt", "20261209-233005.txt", "20261209-233005-12-1.txt", "20261209-233005--3.txt",
                                "20261209-233005-12.doc", "2026120x-233005-12.txt", "wrv1A2B.tmp", "20261209-233005-"})
        EXPECT_FALSE(parseVersionFileName(foreign)) << foreign;

    // Folders: one per path, and 16 hex digits whatever the path holds.
    std::set<std::string> folders;
    for (const std::u16string path : {u"C:\\A\\第一章.TXT", u"C:\\A\\第一章.TXT.", u"C:\\B\\第一章.TXT", u""}) {
        const std::string folder = historyFolderName(path);
        EXPECT_EQ(folder.size(), 16u);
        EXPECT_EQ(folder.find_first_not_of("0123456789abcdef"), std::string::npos);
        folders.insert(folder);
    }
    EXPECT_EQ(folders.size(), 4u);

    // Listed newest first with the change; the shelf with its count.
    const std::vector<std::string> names = {versionFileName(at(5), 100), "path.txt", versionFileName(at(5), 90, 2),
                                            versionFileName(at(7), 150), versionFileName(at(1), 120)};
    const std::vector<ListedVersion> listed = listVersions(names);
    ASSERT_EQ(listed.size(), 4u);
    const std::vector<std::int64_t> words = {150, 90, 100, 120};
    for (std::size_t i = 0; i < listed.size(); ++i) EXPECT_EQ(listed[i].words, words[i]);
    EXPECT_EQ(listed[0].change, 60);
    EXPECT_EQ(listed[1].change, -10);
    EXPECT_FALSE(listed[3].change);
    EXPECT_EQ(nextDuplicate(names, at(5)), 3);
    EXPECT_EQ(nextDuplicate(names, at(6)), 1);
    EXPECT_EQ(listVersions(names, 2).size(), 2u);
    EXPECT_EQ(listVersions(names, 2)[1].change, -10) << "the change is from the version before, listed or not";

    const std::string counted = shelfNameWithCount("20261209-233005-2 第一章 风起.txt", 3215);
    EXPECT_EQ(counted, "20261209-233005-2（3215字） 第一章 风起.txt");
    const std::vector<ListedShelfFile> shelf =
        listShelf({"20261209-233005 12字 旧.txt", counted, shelfNameWithCount("20261209-233006.txt", 0), "说明.txt"});
    ASSERT_EQ(shelf.size(), 3u);
    EXPECT_EQ(shelf[0].words, 0);
    EXPECT_EQ(shelf[1].words, 3215);
    EXPECT_FALSE(shelf[2].words) << "an older name carries no count";
    EXPECT_EQ(nameTimeText(shelf[1].time), "2026-12-09 23:30:05");

    EXPECT_EQ(firstCharacters("  第一章\r\n\r\n　风起云涌, abc", 7), "第一章 风起云");
    EXPECT_EQ(firstCharacters("abc\xD6", 20), "abc") << "a character cut by the head's end";
}

// A random store against a slow oracle: what stays is, per file, the newest
// run that fits both per-file limits, then the whole store trimmed oldest
// first; the newest of each file never goes, and the one just written, of
// whatever date, counts as its file's newest.
TEST(VersionStore, HousekeepingKeepsTheNewestWithinEveryLimit)
{
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        const VersionLimits limits{1 + random() % 6, 50 + random() % 100, 100 + random() % 400};
        std::vector<StoredVersion> store;
        for (int i = 0, count = int(random() % 30); i < count; ++i)
            store.push_back({std::string(1, char('a' + random() % 3)),
                             versionFileName(at(int(random() % 60), int(random() % 60)), 1, 1 + int(random() % 3)),
                             random() % 60, i == 0 && random() % 2 == 0});
        store.push_back({"a", "path.txt", 1000});
        const std::vector<StoredVersion> removed = versionsToRemove(store, limits);
        auto gone = [&](const StoredVersion& v) { return std::ranges::find(removed, v) != removed.end(); };
        // Names dated after the one just written (a clock that was ahead) are the oldest of their file.
        const auto time = [](const StoredVersion& v) { return parseVersionFileName(v.name)->time; };
        const StoredVersion first = store.front(); // the one just written, in half the rounds
        const auto ahead = [&](const StoredVersion& v) {
            return first.justWritten && v.folder == first.folder && time(v) > time(first);
        };
        std::sort(store.begin(), store.end() - 1, [&](const StoredVersion& a, const StoredVersion& b) {
            if (a.justWritten != b.justWritten) return a.justWritten;
            if (ahead(a) != ahead(b)) return ahead(b);
            return time(a) > time(b);
        });
        std::uint64_t total = 0;
        std::size_t files = 0, kept = 0;
        for (const char* folder : {"a", "b", "c"}) {
            std::uint64_t bytes = 0;
            std::size_t count = 0, seen = 0;
            for (const StoredVersion& v : store) { // newest first
                if (v.folder != folder || !parseVersionFileName(v.name)) continue;
                ++seen;
                if (gone(v)) {
                    EXPECT_NE(seen, 1u) << "the newest stays";
                    continue;
                }
                EXPECT_EQ(++count, seen) << "nothing older is kept once one is removed";
                bytes += v.size;
            }
            EXPECT_TRUE(count <= 1 || (count <= limits.perFile && bytes <= limits.bytesPerFile));
            total += bytes;
            kept += count;
            files += count > 0;
        }
        EXPECT_TRUE(total <= limits.bytesInAll || kept == files) << "only the newest may exceed the total";
        EXPECT_FALSE(gone(store.back())) << "path.txt is not a version";
    }
}

} // namespace
} // namespace wrivo
