#include "services/store/recovery_record.h"

#include <gtest/gtest.h>

#include "services/store/background_queue.h"

namespace wrivo {
namespace {

RecoveryRecord sample()
{
    RecoveryRecord record;
    record.fileName = "D:\\文档\\草稿.txt";
    record.timeText = "2026年12月8日17时30分5秒";
    record.owner = {0x124, 134093598051234567ull};
    record.byteCount = 1048576;
    record.checksum = 0x0BADF00D;
    return record;
}

std::span<const std::uint8_t> bytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace

TEST(RecoveryRecord, ReadsBackWhatItWrote)
{
    const RecoveryRecord record = sample();
    EXPECT_EQ(parseRecord(recordText(record)), record);
    RecoveryRecord unnamed = record;
    unnamed.fileName.clear(); // a document never saved
    EXPECT_EQ(parseRecord(recordText(unnamed)), unnamed);
    // So does the note left while saving, and nothing once cut short.
    const SaveNote note{"D:\\文档\\草稿.txt", "D:\\文档\\~wrv1a-2.tmp.bak"};
    const std::string text = saveNoteText(note);
    EXPECT_EQ(parseSaveNote(text), note);
    for (std::size_t cut = 0; cut < text.size(); ++cut) EXPECT_FALSE(parseSaveNote(text.substr(0, cut))) << cut;
}

TEST(RecoveryRecord, DamagedRecordsReadAsNothing)
{
    const std::string good = recordText(sample());
    // Cut short anywhere, the record is not taken.
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(parseRecord(std::string_view(good).substr(0, length))) << length;
    auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    EXPECT_FALSE(parseRecord(replaced("Wrivo recovery 1", "Wrivo recovery 2")));
    EXPECT_FALSE(parseRecord(replaced("bytes=1048576", "bytes=1048576x")));
    EXPECT_FALSE(parseRecord(replaced("bytes=1048576", "bytes=-1")));
    EXPECT_FALSE(parseRecord(replaced("process=292", "process=99999999999")));
    EXPECT_FALSE(parseRecord(replaced("check=0badf00d", "check=badf00d")));
    EXPECT_FALSE(parseRecord(replaced("time=", "when=")));
    EXPECT_FALSE(parseRecord(replaced("草稿", "草\r稿")));
    EXPECT_FALSE(parseRecord(good + "extra=1\r\n"));
    EXPECT_FALSE(parseRecord(replaced("\r\nfile=", "\nfile=")));
}

TEST(RecoveryRecord, CopyMustMatchSizeAndChecksum)
{
    const std::string text = "第一章\r\n开头";
    RecoveryRecord record;
    record.byteCount = text.size();
    record.checksum = recoveryChecksum(bytes(text));
    EXPECT_TRUE(copyMatchesRecord(record, bytes(text)));
    EXPECT_FALSE(copyMatchesRecord(record, bytes(text.substr(0, text.size() - 1)))); // truncated
    std::string changed = text;
    changed[1] ^= 1;
    EXPECT_FALSE(copyMatchesRecord(record, bytes(changed)));
    EXPECT_NE(recoveryChecksum(bytes("ab")), recoveryChecksum(bytes("ba")));
}

TEST(RecoveryRecord, StemNamesTheProgramByIdAndStartTime)
{
    EXPECT_EQ(recoveryStem({0x24, 0x1d9c0b1f2e3a4b5ull}), "wrivo-36-01d9c0b1f2e3a4b5");
    EXPECT_NE(recoveryStem({0x24, 1}), recoveryStem({0x24, 2})); // an id used again
    EXPECT_EQ(ownerOfStem("wrivo-36-01d9c0b1f2e3a4b5"), (ProcessIdentity{0x24, 0x1d9c0b1f2e3a4b5ull}));
    EXPECT_FALSE(ownerOfStem("wrivo-36-1d9c0b1f2e3a4b5")); // not the stem's own spelling
    EXPECT_FALSE(ownerOfStem("wrivo-036-01d9c0b1f2e3a4b5"));
    EXPECT_FALSE(ownerOfStem("wrivo-36-01d9c0b1f2e3a4bx"));
    EXPECT_FALSE(ownerOfStem("other-36-01d9c0b1f2e3a4b5"));
    EXPECT_FALSE(ownerOfStem("wrivo-36"));
    // A copy kept for a shelf that could not be written: a name of its own.
    const ProcessIdentity owner{0x24, 0x1d9c0b1f2e3a4b5ull};
    EXPECT_EQ(keptCopyStem(owner, 2), "wrivo-36-01d9c0b1f2e3a4b5-2");
    EXPECT_EQ(ownerOfStem(keptCopyStem(owner, 2)), owner);
    EXPECT_TRUE(isKeptCopyStem(keptCopyStem(owner, 2)));
    EXPECT_FALSE(ownerOfStem("wrivo-36-01d9c0b1f2e3a4b5-02"));
    // A copy set aside: its name begins with the moment of the move.
    const std::string name = "20261209-233000Z wrivo-36-01d9c0b1f2e3a4b5.copy";
    const std::optional<std::uint64_t> moment = setAsideTime(name); // file-time units, from 1601
    ASSERT_TRUE(moment);
    EXPECT_EQ(*moment / 10'000'000 / 86400, daysFromCivil({2026, 12, 9}) - daysFromCivil({1601, 1, 1}));
    EXPECT_EQ(setAsideName("wrivo-36-01d9c0b1f2e3a4b5.copy", *moment + 1234), name);
    EXPECT_FALSE(setAsideTime("wrivo-36-01d9c0b1f2e3a4b5.copy")); // set aside by an older version
    EXPECT_FALSE(setAsideTime("20261332-233000Z x.copy"));        // no such day
}

TEST(ShelfFileName, TimeAndTheFirstSafeCharacters)
{
    const DateTimeFields time{{2026, 12, 8}, 17, 30, 5};
    EXPECT_EQ(shelfFileName(time, "第一章  开头\r\n正文"), "20261208-173005 第一章 开头 正文.txt");
    EXPECT_EQ(shelfFileName(time, "a:b/c\\d*e?f\"g<h>i|j\tk"), "20261208-173005 abcdefghij k.txt");
    EXPECT_EQ(shelfFileName(time, "一二三四五六七八九十壹贰叁肆"), "20261208-173005 一二三四五六七八九十壹贰.txt");
    EXPECT_EQ(shelfFileName(time, "\r\n\r\n  "), "20261208-173005.txt");
    EXPECT_EQ(shelfFileName(time, "end..."), "20261208-173005 end.txt");
    EXPECT_EQ(shelfFileName(time, "x", 3), "20261208-173005-3 x.txt");
    // A lead byte without its partner, and a pair that is not GBK, are left out.
    EXPECT_EQ(shelfFileName(time, "ab\x81"), "20261208-173005 ab.txt");
    EXPECT_EQ(shelfFileName(time, "a\x81\x7f"
                                  "b"),
              "20261208-173005 ab.txt");
    // A trail byte 0x5C belongs to its character ("\x95\x5C").
    EXPECT_EQ(shelfFileName(time, "\x95\x5C"), "20261208-173005 \x95\x5C.txt");
}

TEST(ShelfFileName, FiftyNewestStay)
{
    std::vector<ShelfEntry> entries;
    for (int i = 0; i < 51; ++i)
        entries.push_back({"f" + std::to_string(100 + i), static_cast<std::uint64_t>(1000 + i)});
    std::swap(entries[0], entries[30]); // order on disk is not age
    EXPECT_EQ(shelfEntriesToRemove(entries), std::vector<std::string>{"f100"});
    entries.pop_back();
    EXPECT_TRUE(shelfEntriesToRemove(entries).empty());
    // The same write time: the name decides.
    EXPECT_EQ(shelfEntriesToRemove({{"b", 5}, {"a", 5}, {"c", 5}}, 2), std::vector<std::string>{"a"});
    // Fifty dated ahead by a clock since set back: the file just written stays all the same.
    for (ShelfEntry& entry : entries) entry.writeTime += 1'000'000;
    entries.push_back({"new", 1000, 0, true});
    EXPECT_EQ(shelfEntriesToRemove(entries), std::vector<std::string>{"f100"});
}

TEST(ShelfFileName, TheOldestGoUntilTheShelfHoldsTwoHundredMegabytesButTheNewestStays)
{
    constexpr std::uint64_t mb = 1u << 20;
    const std::vector<ShelfEntry> entries = {{"old", 1, 150 * mb}, {"mid", 2, 40 * mb}, {"new", 3, 20 * mb}};
    EXPECT_EQ(shelfEntriesToRemove(entries), std::vector<std::string>{"old"});
    EXPECT_TRUE(shelfEntriesToRemove({entries[1], entries[2]}).empty());
    EXPECT_EQ(shelfEntriesToRemove({{"huge", 9, 300 * mb}, {"older", 1, 1}}), std::vector<std::string>{"older"});
}

TEST(RecoveryCopyFile, ReadsBackItsRecordAndTextAndNothingOnceAByteIsWrong)
{
    const std::string text = "第一段\r\n第二段 with \r\n inside";
    RecoveryRecord record = sample();
    record.byteCount = text.size();
    record.checksum = recoveryChecksum(bytes(text));
    const std::string file = recordText(record) + text;
    const std::optional<ParsedCopy> copy = parseCopyFile(bytes(file));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->record, record);
    EXPECT_EQ(std::string(copy->text.begin(), copy->text.end()), text);
    // A copy cut short at any length, or with one byte more, is damaged.
    for (std::size_t length = 0; length < file.size(); ++length)
        EXPECT_FALSE(parseCopyFile(bytes(std::string_view(file).substr(0, length)))) << length;
    EXPECT_FALSE(parseCopyFile(bytes(file + "x")));
}

TEST(BackgroundQueue, RunsJobsInOrderAndWaitsForThem)
{
    std::vector<int> order;
    {
        BackgroundQueue queue;
        for (int i = 0; i < 100; ++i) queue.post([&order, i] { order.push_back(i); });
        queue.waitIdle();
        EXPECT_EQ(order.size(), 100u);
        for (int i = 0; i < 100; ++i) EXPECT_EQ(order[i], i);
        queue.post([&order] { order.push_back(100); });
    } // ends after the job posted last
    EXPECT_EQ(order.size(), 101u);
}

} // namespace wrivo
