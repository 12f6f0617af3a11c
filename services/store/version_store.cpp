#include "services/store/version_store.h"
#include "services/text/gbk_scan.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <optional>

namespace wrivo {
namespace {

constexpr std::string_view extension = ".txt";
constexpr std::string_view countOpen = "（", countClose = "字）";

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits only, at least one, no sign: the value, or nothing.
template <typename Number>
std::optional<Number> digitsValue(std::string_view text)
{
    if (text.empty() || text.size() > 18 || !std::all_of(text.begin(), text.end(), isDigit)) return std::nullopt;
    Number value{};
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string stampText(const DateTimeFields& time)
{
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", time.date.year % 10000, time.date.month % 100,
                  time.date.day % 100, time.hour % 100, time.minute % 100, time.second % 100);
    return stamp;
}

// "yyyymmdd-hhmmss" at the start of `text`, then "-<n>" when a duplicate
// (n from 2): the time, with `text` moved past it.
std::optional<NameTime> readNameTime(std::string_view& text)
{
    if (text.size() < 15 || text[8] != '-') return std::nullopt;
    const auto day = digitsValue<std::uint64_t>(text.substr(0, 8));
    const auto clock = digitsValue<std::uint64_t>(text.substr(9, 6));
    if (!day || !clock) return std::nullopt;
    NameTime time{*day * 1'000'000 + *clock, 1};
    text.remove_prefix(15);
    return time;
}

// "-<n>" (n from 2) at the start of `text`, taken off; 1 when there is none.
std::optional<int> readDuplicate(std::string_view& text)
{
    if (text.empty() || text[0] != '-') return 1;
    std::size_t end = 1;
    while (end < text.size() && isDigit(text[end])) ++end;
    const auto duplicate = digitsValue<int>(text.substr(1, end - 1));
    if (!duplicate || *duplicate < 2 || end - 1 > 6) return std::nullopt;
    text.remove_prefix(end);
    return *duplicate;
}

bool endsWithExtension(std::string_view name)
{
    if (name.size() < extension.size()) return false;
    const std::string_view end = name.substr(name.size() - extension.size());
    return std::equal(end.begin(), end.end(), extension.begin(),
                      [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a + 32 : a) == b; });
}

bool newerFirst(const NameTime& a, const NameTime& b)
{
    return a > b;
}

} // namespace

std::string historyFolderName(std::u16string_view foldedPath)
{
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const char16_t unit : foldedPath)
        for (const unsigned byte : {unsigned(unit) & 0xFFu, unsigned(unit) >> 8}) {
            hash ^= byte;
            hash *= 0x100000001B3ull;
        }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string versionFileName(const DateTimeFields& time, std::int64_t words, int duplicate)
{
    std::string name = stampText(time) + "-" + std::to_string(words < 0 ? 0 : words);
    if (duplicate > 1) name += "-" + std::to_string(duplicate);
    return name + std::string(extension);
}

std::optional<VersionName> parseVersionFileName(std::string_view name)
{
    if (!endsWithExtension(name)) return std::nullopt;
    name.remove_suffix(extension.size());
    std::optional<NameTime> time = readNameTime(name);
    if (!time || name.size() < 2 || name[0] != '-') return std::nullopt;
    name.remove_prefix(1);
    const std::size_t end = std::min(name.find('-'), name.size());
    const auto words = digitsValue<std::int64_t>(name.substr(0, end));
    name.remove_prefix(end);
    const std::optional<int> duplicate = readDuplicate(name);
    if (!words || !duplicate || !name.empty()) return std::nullopt;
    time->duplicate = *duplicate;
    return VersionName{*time, *words};
}

int nextDuplicate(const std::vector<std::string>& names, const DateTimeFields& time)
{
    const std::string first = versionFileName(time, 0);
    std::string_view stamp = first;
    const std::uint64_t second = readNameTime(stamp)->stamp;
    int next = 1;
    for (const std::string& name : names)
        if (const std::optional<VersionName> version = parseVersionFileName(name);
            version && version->time.stamp == second)
            next = std::max(next, version->time.duplicate + 1);
    return next;
}

std::vector<StoredVersion> versionsToRemove(std::vector<StoredVersion> versions, const VersionLimits& limits)
{
    struct Entry {
        StoredVersion version;
        NameTime time;
        bool newestOfFile = false;
        bool ahead = false; // dated after its file's version just written
    };
    std::map<std::string, std::vector<Entry>> files;
    for (StoredVersion& version : versions)
        if (const std::optional<VersionName> parsed = parseVersionFileName(version.name))
            files[version.folder].push_back({std::move(version), parsed->time});

    std::vector<Entry> removed, kept;
    for (auto& [folder, entries] : files) {
        const auto written = std::ranges::find_if(entries, [](const Entry& e) { return e.version.justWritten; });
        const std::optional<NameTime> writtenAt =
            written == entries.end() ? std::nullopt : std::optional<NameTime>(written->time);
        const auto ahead = [&](const Entry& e) { return writtenAt && e.time > *writtenAt; };
        std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
            if (a.version.justWritten != b.version.justWritten) return a.version.justWritten;
            if (ahead(a) != ahead(b)) return ahead(b);
            return newerFirst(a.time, b.time);
        });
        std::uint64_t bytes = 0;
        bool over = false;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            Entry& entry = entries[i];
            entry.newestOfFile = i == 0;
            entry.ahead = ahead(entry);
            over = over || (i > 0 && (i >= limits.perFile || bytes + entry.version.size > limits.bytesPerFile));
            bytes += entry.version.size;
            (over ? removed : kept).push_back(std::move(entry));
        }
    }
    std::uint64_t total = 0;
    for (const Entry& entry : kept) total += entry.version.size;
    auto olderFirst = [](const Entry& a, const Entry& b) {
        if (a.ahead != b.ahead) return a.ahead;
        return a.time != b.time ? a.time < b.time : a.version.folder < b.version.folder;
    };
    std::sort(kept.begin(), kept.end(), olderFirst);
    for (Entry& entry : kept) {
        if (total <= limits.bytesInAll) break;
        if (entry.newestOfFile) continue;
        total -= entry.version.size;
        removed.push_back(std::move(entry));
    }
    std::stable_sort(removed.begin(), removed.end(), olderFirst);
    std::vector<StoredVersion> names;
    for (Entry& entry : removed) names.push_back(std::move(entry.version));
    return names;
}

std::vector<ListedVersion> listVersions(const std::vector<std::string>& names, std::size_t most)
{
    std::vector<ListedVersion> listed;
    for (const std::string& name : names)
        if (const std::optional<VersionName> parsed = parseVersionFileName(name))
            listed.push_back({name, parsed->time, parsed->words, std::nullopt});
    std::sort(listed.begin(), listed.end(), [](const ListedVersion& a, const ListedVersion& b) {
        return a.time != b.time ? newerFirst(a.time, b.time) : a.name > b.name;
    });
    for (std::size_t i = 0; i + 1 < listed.size(); ++i) listed[i].change = listed[i].words - listed[i + 1].words;
    if (listed.size() > most) listed.resize(most);
    return listed;
}

std::string shelfNameWithCount(std::string_view plainName, std::int64_t words)
{
    std::string_view rest = plainName;
    if (!readNameTime(rest) || !readDuplicate(rest)) return std::string(plainName);
    const std::size_t at = plainName.size() - rest.size();
    return std::string(plainName.substr(0, at)) + std::string(countOpen) + std::to_string(words < 0 ? 0 : words) +
           std::string(countClose) + std::string(rest);
}

std::vector<ListedShelfFile> listShelf(const std::vector<std::string>& names, std::size_t most)
{
    std::vector<ListedShelfFile> listed;
    for (const std::string& name : names) {
        if (!endsWithExtension(name)) continue;
        std::string_view rest = std::string_view(name).substr(0, name.size() - extension.size());
        std::optional<NameTime> time = readNameTime(rest);
        const std::optional<int> duplicate = time ? readDuplicate(rest) : std::nullopt;
        if (!duplicate) continue; // not a name the shelf gives
        time->duplicate = *duplicate;
        std::optional<std::int64_t> words;
        if (rest.starts_with(countOpen)) {
            rest.remove_prefix(countOpen.size());
            const std::size_t close = rest.find(countClose);
            if (close != std::string_view::npos) words = digitsValue<std::int64_t>(rest.substr(0, close));
        }
        listed.push_back({name, *time, words});
    }
    std::sort(listed.begin(), listed.end(), [](const ListedShelfFile& a, const ListedShelfFile& b) {
        return a.time != b.time ? newerFirst(a.time, b.time) : a.name > b.name;
    });
    if (listed.size() > most) listed.resize(most);
    return listed;
}

std::string nameTimeText(const NameTime& time)
{
    const std::uint64_t s = time.stamp;
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", unsigned(s / 10'000'000'000 % 10000),
                  unsigned(s / 100'000'000 % 100), unsigned(s / 1'000'000 % 100), unsigned(s / 10'000 % 100),
                  unsigned(s / 100 % 100), unsigned(s % 100));
    return text;
}

std::string firstCharacters(std::string_view head, std::size_t count)
{
    std::string shown;
    std::size_t characters = 0;
    bool spacePending = false;
    for (std::size_t i = 0; i < head.size() && characters < count;) {
        const auto c = static_cast<unsigned char>(head[i]);
        const bool leads = gbk::CodePageRule::leads(c);
        if (leads && i + 1 >= head.size()) break; // cut off by the end of the head
        const std::size_t width = gbk::pairedLength(head, i);
        const bool space = c == ' ' || c == '\t' || c == '\r' || c == '\n' || head.substr(i, width) == "\xA1\xA1";
        if (space || c < 0x20 || c == 0x7F || c == 0xFF || (leads && width == 1)) {
            spacePending = true;
        } else {
            if (spacePending && !shown.empty()) shown += ' ', ++characters;
            spacePending = false;
            if (characters < count) shown.append(head.substr(i, width)), ++characters;
        }
        i += width;
    }
    return shown;
}

} // namespace wrivo
