#include "services/recovery_record.h"

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

bool validGbkPair(unsigned char lead, unsigned char trail)
{
    return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
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

std::optional<ProcessIdentity> ownerOfStem(std::string_view stem)
{
    constexpr std::string_view prefix = "wrivo-";
    if (stem.substr(0, prefix.size()) != prefix) return std::nullopt;
    stem.remove_prefix(prefix.size());
    const std::size_t dash = stem.find('-');
    if (dash == std::string_view::npos || stem.size() - dash - 1 != 16) return std::nullopt;
    const auto id = readNumber<std::uint32_t>(stem.substr(0, dash));
    const auto started = readNumber<std::uint64_t>(stem.substr(dash + 1), 16);
    if (!id || !started || recoveryStem({*id, *started}) != std::string(prefix) + std::string(stem))
        return std::nullopt;
    return ProcessIdentity{*id, *started};
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
        if (c >= 0x80) {
            if (i + 1 >= text.size()) break; // a lead byte without its partner
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            i += 2;
            if (c == 0xA1 && trail == 0xA1) { // the full-width space
                spacePending = true;
                continue;
            }
            if (!validGbkPair(c, trail)) continue;
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
