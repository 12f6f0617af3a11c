// writing.txt: the daily goal and the tidy-up's choices, as "key=value"
// lines in GBK. It configures only the writer's menu; the program's own
// settings file is never touched.
//
//   goal=3000          the daily goal in 字, 0 for none
//   indent=1           段首缩进两个全角空格
//   blank_lines=one    空行: keep, one or none
//   trim_trailing=1    去掉段尾空格
//   punctuation=1      中文里的半角标点改为全角
//   traditional=tw     转为繁体/简体 take Taiwan's (tw) or Hong Kong's (hk)
//                      Traditional forms; without it, OpenCC's standard ones
//   day_start=4        the hour (0 to 12) a writing day starts at
//   chapter_target=0   每章目标字数, 0 for none
//   publish_indent=1   复制本章: paragraphs indented by two full-width spaces
//   publish_blank_lines=one   复制本章: one blank line between paragraphs, or none
//   backup_folder=E:\备份  a second copy of every saved document goes there;
//                      without it (or empty), none
//
// Reading is lenient: an unknown key, a line that is no "key=value" or a
// value out of range is skipped and the default (or an earlier line) stays.
// Lines of keys this program does not know are kept when it writes the file
// again, so that a later program's settings outlive an earlier one.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "services/writing/chinese_convert.h"
#include "services/writing/manuscript_tidy.h"
#include "services/writing/writing_log.h"

namespace wrivo {

inline constexpr std::int64_t defaultDailyGoal = 3000;
inline constexpr std::int64_t largestDailyGoal = 1'000'000;
inline constexpr std::int64_t largestChapterTarget = 100'000;

// How 复制本章 lays a chapter out for a platform's box.
struct PublishLayout {
    bool indent = true;
    bool blankLine = true;
    friend bool operator==(const PublishLayout&, const PublishLayout&) = default;
};

struct WritingSettings {
    std::int64_t goal = defaultDailyGoal;
    TidyOptions tidy;
    std::int64_t chapterTarget = 0;
    PublishLayout publish;
    TraditionalForms traditional = TraditionalForms::standard;
    int dayStart = defaultDayStart;
    std::string backupFolder;
    friend bool operator==(const WritingSettings&, const WritingSettings&) = default;
};

// `unknown`, when given, receives the lines of keys this program does not
// know and the lines that are no "key=value".
WritingSettings parseWritingSettings(std::string_view text, std::vector<std::string>* unknown = nullptr);
std::string writingSettingsText(const WritingSettings& settings, const std::vector<std::string>& unknown = {});

// What this program changed since it read `base`, over what the file holds
// now: another program's change to a setting this one left alone stays.
WritingSettings settingsChangedOver(const WritingSettings& base, const WritingSettings& mine,
                                    const WritingSettings& onDisk);

} // namespace wrivo
