#include "services/store/recovery_record.h"
#include "services/text/gbk_scan.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace wrivo {
namespace {

constexpr std::string_view header = "Wrivo recovery 1";
constexpr std::string_view keys[] = {"file", "time", "process", "started", "bytes", "check"};
constexpr std::size_t shelfNameCharacters = 12;

template <typename Number>
std::optional<Number> readNumber(std::string_view text, int base = 10)
{
    Number value{};
    if (text.empty()) return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string hexText(std::uint64_t value, int digits)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%0*llx", digits, static_cast<unsigned long long>(value));
    return buffer;
}

bool unsafeInFileName(unsigned char c)
{
    return c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

} // namespace

std::uint32_t recoveryChecksum(std::span<const std::uint8_t> bytes)
{
    std::uint32_t hash = 2166136261u;
    for (std::uint8_t b : bytes) hash = (hash ^ b) * 16777619u;
    return hash;
}

std::string recordText(const RecoveryRecord& record)
{
    std::string text(header);
    const std::string values[] = {record.fileName,
                                  record.timeText,
                                  std::to_string(record.owner.id),
                                  std::to_string(record.owner.started),
                                  std::to_string(record.byteCount),
                                  hexText(record.checksum, 8)};
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        text += "\r\n";
        text += keys[i];
        text += '=';
        text += values[i];
    }
    text += "\r\n";
    return text;
}

std::optional<RecoveryRecord> parseRecord(std::string_view text)
{
    // Every line ends with "\r\n", the last one included: a record cut short
    // anywhere loses at least that.
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        if (end == std::string_view::npos) return std::nullopt;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 2);
    }
    if (lines.size() != std::size(keys) + 1 || lines[0] != header) return std::nullopt;
    std::string_view values[std::size(keys)];
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        const std::string_view line = lines[i + 1];
        if (line.size() <= keys[i].size() || line.substr(0, keys[i].size()) != keys[i] || line[keys[i].size()] != '=')
            return std::nullopt;
        values[i] = line.substr(keys[i].size() + 1);
        if (values[i].find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
    }
    // The file name may be empty (a document never saved); keep its "=" then.
    RecoveryRecord record;
    record.fileName = std::string(values[0]);
    record.timeText = std::string(values[1]);
    const auto id = readNumber<std::uint32_t>(values[2]);
    const auto started = readNumber<std::uint64_t>(values[3]);
    const auto bytes = readNumber<std::uint64_t>(values[4]);
    const auto check = values[5].size() == 8 ? readNumber<std::uint32_t>(values[5], 16) : std::nullopt;
    if (record.timeText.empty() || !id || !started || !bytes || !check) return std::nullopt;
    record.owner = {*id, *started};
    record.byteCount = *bytes;
    record.checksum = *check;
    return record;
}

bool copyMatchesRecord(const RecoveryRecord& record, std::span<const std::uint8_t> bytes)
{
    return bytes.size() == record.byteCount && recoveryChecksum(bytes) == record.checksum;
}

std::optional<ParsedCopy> parseCopyFile(std::span<const std::uint8_t> file)
{
    // The record is its header and one line per key, each ended by "\r\n";
    // no value holds a line break, so the text starts after the last of them.
    const std::string_view head(reinterpret_cast<const char*>(file.data()), std::min(file.size(), longestRecord));
    std::size_t end = 0;
    for (std::size_t line = 0; line <= std::size(keys); ++line) {
        end = head.find("\r\n", end);
        if (end == std::string_view::npos) return std::nullopt;
        end += 2;
    }
    std::optional<RecoveryRecord> record = parseRecord(head.substr(0, end));
    if (!record || !copyMatchesRecord(*record, file.subspan(end))) return std::nullopt;
    return ParsedCopy{std::move(*record), file.subspan(end)};
}

std::string recoveryStem(const ProcessIdentity& owner)
{
    return "wrivo-" + std::to_string(owner.id) + "-" + hexText(owner.started, 16);
}

std::string keptCopyStem(const ProcessIdentity& owner, int serial)
{
    return recoveryStem(owner) + "-" + std::to_string(serial);
}

std::optional<ProcessIdentity> ownerOfStem(std::string_view stem)
{
    constexpr std::string_view prefix = "wrivo-";
    if (stem.substr(0, prefix.size()) != prefix) return std::nullopt;
    const std::string_view whole = stem;
    stem.remove_prefix(prefix.size());
    const std::size_t dash = stem.find('-');
    if (dash == std::string_view::npos || stem.size() < dash + 17) return std::nullopt;
    const auto id = readNumber<std::uint32_t>(stem.substr(0, dash));
    const auto started = readNumber<std::uint64_t>(stem.substr(dash + 1, 16), 16);
    if (!id || !started) return std::nullopt;
    const ProcessIdentity owner{*id, *started};
    const std::string_view serial = stem.substr(dash + 17);
    const bool kept = !serial.empty();
    const auto number = kept && serial[0] == '-' ? readNumber<int>(serial.substr(1)) : std::nullopt;
    if (whole != (kept ? (number ? keptCopyStem(owner, *number) : std::string()) : recoveryStem(owner)))
        return std::nullopt;
    return owner;
}

bool isKeptCopyStem(std::string_view stem)
{
    return ownerOfStem(stem) && stem.size() > recoveryStem(*ownerOfStem(stem)).size();
}

namespace {
constexpr std::uint64_t ticksPerSecond = 10'000'000;
constexpr std::int64_t secondsPerDay = 24 * 60 * 60;
const std::int64_t fileTimeEpoch = daysFromCivil({1601, 1, 1});
} // namespace

std::string setAsideName(std::string_view name, std::uint64_t fileTime)
{
    const std::uint64_t seconds = fileTime / ticksPerSecond;
    const CivilDate date = civilFromDays(static_cast<std::int64_t>(seconds / secondsPerDay) + fileTimeEpoch);
    const auto inDay = static_cast<int>(seconds % secondsPerDay);
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02dZ ", date.year % 10000, date.month, date.day,
                  inDay / 3600, inDay / 60 % 60, inDay % 60);
    return stamp + std::string(name);
}

std::optional<std::uint64_t> setAsideTime(std::string_view name)
{
    // "YYYYMMDD-hhmmssZ ": sixteen characters and a space.
    if (name.size() < 17 || name[8] != '-' || name[15] != 'Z' || name[16] != ' ') return std::nullopt;
    const auto day = readNumber<int>(name.substr(0, 8));
    const auto time = readNumber<int>(name.substr(9, 6));
    if (!day || !time) return std::nullopt;
    const CivilDate date{*day / 10000, *day / 100 % 100, *day % 100};
    const int hour = *time / 10000, minute = *time / 100 % 100, second = *time % 100;
    const std::int64_t days = daysFromCivil(date) - fileTimeEpoch;
    if (days < 0 || civilFromDays(daysFromCivil(date)) != date || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return (static_cast<std::uint64_t>(days) * secondsPerDay + hour * 3600 + minute * 60 + second) * ticksPerSecond;
}

namespace {
constexpr std::string_view noteHeader = "Wrivo save 1";
} // namespace

std::string saveNoteText(const SaveNote& note)
{
    return std::string(noteHeader) + "\r\ndocument=" + note.document + "\r\nbackup=" + note.backup + "\r\n";
}

std::optional<SaveNote> parseSaveNote(std::string_view text)
{
    const std::string_view keys[] = {"document=", "backup="};
    std::string_view values[2];
    if (text.substr(0, noteHeader.size() + 2) != std::string(noteHeader) + "\r\n") return std::nullopt;
    text.remove_prefix(noteHeader.size() + 2);
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t end = text.find("\r\n");
        if (end == std::string_view::npos || text.substr(0, keys[i].size()) != keys[i]) return std::nullopt;
        values[i] = text.substr(keys[i].size(), end - keys[i].size());
        text.remove_prefix(end + 2);
    }
    if (!text.empty() || values[0].empty() || values[1].empty()) return std::nullopt;
    return SaveNote{std::string(values[0]), std::string(values[1])};
}

std::string shelfFileName(const DateTimeFields& time, std::string_view text, int duplicate)
{
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", time.date.year % 10000, time.date.month % 100,
                  time.date.day % 100, time.hour % 100, time.minute % 100, time.second % 100);
    std::string name = stamp;
    if (duplicate > 1) name += "-" + std::to_string(duplicate);

    std::string words;
    std::size_t characters = 0;
    bool spacePending = false;
    for (std::size_t i = 0; i < text.size() && characters < shelfNameCharacters;) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (gbk::CountRule::leads(c)) {
            if (i + 1 >= text.size()) break; // a lead byte without its partner
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            i += 2;
            if (c == 0xA1 && trail == 0xA1) { // the full-width space
                spacePending = true;
                continue;
            }
            if (!gbk::CodePageRule::pairs(c, trail)) continue;
            if (spacePending && !words.empty()) words += ' ', ++characters;
            spacePending = false;
            words += static_cast<char>(c);
            words += static_cast<char>(trail);
            ++characters;
            continue;
        }
        ++i;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            spacePending = true;
            continue;
        }
        if (unsafeInFileName(c) || c == 0x7F) continue;
        if (spacePending && !words.empty()) words += ' ', ++characters;
        spacePending = false;
        words += static_cast<char>(c);
        ++characters;
    }
    // A name may not end in a dot or a space.
    while (!words.empty() && (words.back() == '.' || words.back() == ' ')) words.pop_back();
    if (!words.empty()) name += " " + words;
    return name + ".txt";
}

std::vector<std::string> shelfEntriesToRemove(std::vector<ShelfEntry> entries, std::size_t keep,
                                              std::uint64_t keepBytes)
{
    std::sort(entries.begin(), entries.end(), [](const ShelfEntry& a, const ShelfEntry& b) {
        if (a.justWritten != b.justWritten) return b.justWritten;
        return a.writeTime != b.writeTime ? a.writeTime < b.writeTime : a.name < b.name;
    });
    std::uint64_t total = 0;
    for (const ShelfEntry& entry : entries) total += entry.size;
    std::vector<std::string> removed;
    for (std::size_t i = 0; i + 1 < entries.size() && (entries.size() - i > keep || total > keepBytes); ++i) {
        removed.push_back(entries[i].name);
        total -= entries[i].size;
    }
    return removed;
}

} // namespace wrivo
