#include "services/writing/writing_settings.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace wrivo {
namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

std::optional<std::int64_t> numberIn(std::string_view text, std::int64_t largest)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > largest) return std::nullopt;
    return value;
}

void setSwitch(bool& choice, std::string_view value)
{
    if (value == "0" || value == "1") choice = value == "1";
}

constexpr std::string_view blankLineNames[] = {"keep", "one", "none"};
// By TraditionalForms; the standard forms are the absence of the key.
constexpr std::string_view traditionalNames[] = {"", "tw", "hk"};

} // namespace

WritingSettings parseWritingSettings(std::string_view text, std::vector<std::string>* unknown)
{
    WritingSettings settings;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t equals = line.find('=');
        const std::string_view key = trimmed(line.substr(0, std::min(equals, line.size())));
        const std::string_view value = equals == std::string_view::npos ? "" : trimmed(line.substr(equals + 1));
        if (key == "goal") {
            if (const std::optional<std::int64_t> goal = numberIn(value, largestDailyGoal)) settings.goal = *goal;
        } else if (key == "indent") {
            setSwitch(settings.tidy.indent, value);
        } else if (key == "trim_trailing") {
            setSwitch(settings.tidy.trimTrailing, value);
        } else if (key == "punctuation") {
            setSwitch(settings.tidy.punctuation, value);
        } else if (key == "blank_lines") {
            const auto* name = std::find(std::begin(blankLineNames), std::end(blankLineNames), value);
            if (name != std::end(blankLineNames))
                settings.tidy.blankLines = static_cast<BlankLines>(name - std::begin(blankLineNames));
        } else if (key == "chapter_target") {
            if (const std::optional<std::int64_t> target = numberIn(value, largestChapterTarget))
                settings.chapterTarget = *target;
        } else if (key == "publish_indent") {
            setSwitch(settings.publish.indent, value);
        } else if (key == "publish_blank_lines") {
            if (value == "one" || value == "none") settings.publish.blankLine = value == "one";
        } else if (key == "backup_folder") {
            settings.backupFolder = value;
        } else if (key == "traditional") {
            const auto* name = std::find(std::begin(traditionalNames) + 1, std::end(traditionalNames), value);
            if (name != std::end(traditionalNames))
                settings.traditional = static_cast<TraditionalForms>(name - std::begin(traditionalNames));
        } else if (key == "day_start") {
            if (const std::optional<std::int64_t> hour = numberIn(value, latestDayStart))
                settings.dayStart = static_cast<int>(*hour);
        } else if (unknown && !trimmed(line).empty()) {
            unknown->emplace_back(trimmed(line));
        }
    }
    return settings;
}

std::string writingSettingsText(const WritingSettings& settings, const std::vector<std::string>& unknown)
{
    auto line = [](std::string_view key, std::string_view value) {
        return std::string(key) + "=" + std::string(value) + "\r\n";
    };
    const TidyOptions& tidy = settings.tidy;
    std::string text = line("goal", std::to_string(settings.goal)) + line("indent", tidy.indent ? "1" : "0") +
                       line("blank_lines", blankLineNames[static_cast<int>(tidy.blankLines)]) +
                       line("trim_trailing", tidy.trimTrailing ? "1" : "0") +
                       line("punctuation", tidy.punctuation ? "1" : "0") +
                       line("chapter_target", std::to_string(settings.chapterTarget)) +
                       line("publish_indent", settings.publish.indent ? "1" : "0") +
                       line("publish_blank_lines", settings.publish.blankLine ? "one" : "none");
    if (settings.traditional != TraditionalForms::standard)
        text += line("traditional", traditionalNames[static_cast<int>(settings.traditional)]);
    if (settings.dayStart != defaultDayStart) text += line("day_start", std::to_string(settings.dayStart));
    if (!settings.backupFolder.empty()) text += line("backup_folder", settings.backupFolder);
    for (const std::string& kept : unknown) text += kept + "\r\n";
    return text;
}

WritingSettings settingsChangedOver(const WritingSettings& base, const WritingSettings& mine,
                                    const WritingSettings& onDisk)
{
    WritingSettings merged = onDisk;
    const auto take = [](auto& into, const auto& was, const auto& now) {
        if (now != was) into = now;
    };
    take(merged.goal, base.goal, mine.goal);
    take(merged.tidy.indent, base.tidy.indent, mine.tidy.indent);
    take(merged.tidy.blankLines, base.tidy.blankLines, mine.tidy.blankLines);
    take(merged.tidy.trimTrailing, base.tidy.trimTrailing, mine.tidy.trimTrailing);
    take(merged.tidy.punctuation, base.tidy.punctuation, mine.tidy.punctuation);
    take(merged.chapterTarget, base.chapterTarget, mine.chapterTarget);
    take(merged.publish, base.publish, mine.publish);
    take(merged.traditional, base.traditional, mine.traditional);
    take(merged.dayStart, base.dayStart, mine.dayStart);
    take(merged.backupFolder, base.backupFolder, mine.backupFolder);
    return merged;
}

} // namespace wrivo
