#include "services/writing/publish_check.h"

#include <algorithm>

#include <unordered_map>
#include "host/gbk_rules.h"

namespace wrivo {
namespace {

constexpr std::string_view gap = "　";
constexpr std::size_t shortestPhrase = 4, longestPhrase = 8; // characters
constexpr int phraseRepeats = 3;
constexpr std::size_t contextCharacters = 4;

unsigned char byteAt(std::string_view s, std::size_t i)
{
    return static_cast<unsigned char>(s[i]);
}

// Bytes of the character at i, by the code page's rule.
std::size_t characterLength(std::string_view s, std::size_t i)
{
    return gbk::pairedLength(s, i);
}

// A Chinese character: double-byte outside the rows of marks and symbols.
bool isHanzi(std::string_view s, std::size_t i)
{
    const unsigned char lead = byteAt(s, i);
    return characterLength(s, i) == 2 && (lead < 0xA1 || lead > 0xA9);
}

std::string number(std::int64_t value)
{
    return std::to_string(value);
}

// Paragraph numbers of rising offsets, counted on from the last one asked.
class ParagraphCounter {
public:
    explicit ParagraphCounter(std::string_view text) : text_(text) { }
    std::int64_t at(std::size_t offset)
    {
        if (offset < at_) at_ = 0, breaks_ = 0;
        for (std::size_t i = text_.find('\n', at_); i < offset; i = text_.find('\n', i + 1)) ++breaks_;
        at_ = offset;
        return breaks_ + 1;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    std::int64_t breaks_ = 0;
};

// The characters around [offset, offset + length) within its paragraph.
std::string excerptAround(std::string_view text, std::size_t offset, std::size_t length)
{
    const std::size_t lineStart = text.rfind('\n', offset == 0 ? 0 : offset - 1);
    std::size_t from = lineStart == std::string_view::npos || offset == 0 ? 0 : lineStart + 1;
    std::vector<std::size_t> starts;
    for (std::size_t i = from; i < offset; i += characterLength(text, i)) starts.push_back(i);
    if (starts.size() > contextCharacters) from = starts[starts.size() - contextCharacters];
    std::size_t to = offset + length;
    for (std::size_t n = 0; n < contextCharacters && to < text.size() && text[to] != '\r' && text[to] != '\n'; ++n)
        to += characterLength(text, to);
    return std::string(text.substr(from, to - from));
}

constexpr std::string_view doubledCharacters = "的地得着把被";
constexpr std::string_view wordsAfterDoubling[] = {"的确", "地道", "地方", "地势", "把手", "把握",
                                                   "被子", "被单", "着急", "着想", "着迷"};

void findDoubled(const CheckRequest& request, std::vector<Finding>& findings)
{
    const std::string_view text = request.text;
    for (std::size_t i = request.start; i + 4 <= request.end; i += characterLength(text, i)) {
        if (characterLength(text, i) != 2 || text.compare(i, 2, text, i + 2, 2) != 0) continue;
        const std::string_view pair = text.substr(i, 2);
        bool listed = false;
        for (std::size_t k = 0; k < doubledCharacters.size() && !listed; k += 2)
            listed = doubledCharacters.substr(k, 2) == pair;
        if (!listed) continue;
        const std::string_view onward = text.substr(i + 2, std::min<std::size_t>(4, request.end - i - 2));
        if (std::find(std::begin(wordsAfterDoubling), std::end(wordsAfterDoubling), onward) !=
            std::end(wordsAfterDoubling))
            continue;
        findings.push_back({FindingKind::doubled, i, 4, 0, excerptAround(text, i, 4), std::string(text.substr(i, 4))});
    }
}

// Runs of Chinese characters in [start, end): where each begins and ends.
std::vector<std::pair<std::size_t, std::size_t>> hanziRuns(std::string_view text, std::size_t start, std::size_t end)
{
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    std::size_t runStart = start;
    bool inRun = false;
    for (std::size_t i = start; i < end; i += characterLength(text, i)) {
        const bool hanzi = isHanzi(text, i);
        if (hanzi && !inRun) runStart = i;
        if (!hanzi && inRun) runs.emplace_back(runStart, i);
        inRun = hanzi;
    }
    if (inRun) runs.emplace_back(runStart, end);
    return runs;
}

void findPhrases(const CheckRequest& request, std::vector<Finding>& findings)
{
    const std::string_view text = request.text;
    const auto runs = hanziRuns(text, request.start, request.end);
    std::vector<std::pair<std::size_t, std::size_t>> covered; // occurrences of the phrases reported
    auto isCovered = [&covered](std::size_t from, std::size_t to) {
        return std::any_of(covered.begin(), covered.end(),
                           [&](const auto& span) { return from < span.second && span.first < to; });
    };
    for (std::size_t characters = longestPhrase; characters >= shortestPhrase; --characters) {
        const std::size_t bytes = characters * 2;
        std::unordered_map<std::string_view, std::vector<std::size_t>> seen;
        for (const auto& [from, to] : runs)
            for (std::size_t i = from; i + bytes <= to; i += 2) seen[text.substr(i, bytes)].push_back(i);
        std::vector<std::pair<std::size_t, std::string_view>> found; // first place, phrase
        for (const auto& [phrase, places] : seen)
            if (static_cast<int>(places.size()) >= phraseRepeats) found.emplace_back(places.front(), phrase);
        std::sort(found.begin(), found.end());
        for (const auto& [first, phrase] : found) {
            const std::vector<std::size_t>& places = seen[phrase];
            // Runs inside a longer phrase already reported are part of it.
            const auto free =
                std::count_if(places.begin(), places.end(), [&](std::size_t at) { return !isCovered(at, at + bytes); });
            if (free < phraseRepeats) continue;
            for (std::size_t at : places) covered.emplace_back(at, at + bytes);
            if (request.ignored && request.ignored->count(std::string(phrase))) continue;
            findings.push_back({FindingKind::phrase, first, bytes, 0,
                                std::string(phrase) + "（" + number(static_cast<std::int64_t>(places.size())) + " 次）",
                                std::string(phrase)});
        }
    }
}

constexpr std::string_view halfWidthMarks = ",.;:?!()\"'";

// The nearest character on one side past half-width spaces is Chinese.
bool chineseBeside(std::string_view text, std::size_t mark, bool after)
{
    if (after) {
        std::size_t i = mark + 1;
        while (i < text.size() && text[i] == ' ') ++i;
        return i < text.size() && characterLength(text, i) == 2;
    }
    std::size_t i = mark;
    while (i > 0 && text[i - 1] == ' ') --i;
    // A byte from 0x80 up just before a mark can only end a double-byte character.
    return i >= 2 && byteAt(text, i - 1) >= 0x80 && byteAt(text, i - 2) >= 0x81 && byteAt(text, i - 2) != 0xFF;
}

void findHalfWidth(const CheckRequest& request, std::vector<Finding>& findings)
{
    const std::string_view text = request.text;
    for (std::size_t i = request.start; i < request.end; i += characterLength(text, i)) {
        if (halfWidthMarks.find(text[i]) == std::string_view::npos) continue;
        if (!chineseBeside(text, i, false) && !chineseBeside(text, i, true)) continue;
        findings.push_back({FindingKind::halfWidth, i, 1, 0, excerptAround(text, i, 1), std::string(1, text[i])});
    }
}

void findListWords(const CheckRequest& request, std::vector<Finding>& findings)
{
    if (!request.lists) return;
    for (const WordMatcher::Match& match : request.lists->find(request.text, request.start, request.end)) {
        if (request.ignored && request.ignored->count(std::string(match.word))) continue;
        findings.push_back({FindingKind::listWord, match.offset, match.word.size(), 0,
                            std::string(match.word) + "（" + std::string(match.file) + "）", std::string(match.word)});
    }
}

constexpr std::string_view categories[] = {"字数", "词表", "重复字", "重复短语", "半角标点", "章节编号"};

std::size_t spacesFrom(std::string_view s, std::size_t i)
{
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s.substr(i).starts_with(gap)))
        i += s[i] == ' ' || s[i] == '\t' ? 1 : 2;
    return i;
}

} // namespace

std::string findingRow(const Finding& finding)
{
    const std::string category(categories[static_cast<int>(finding.kind)]);
    if (finding.kind == FindingKind::length) return category + std::string(gap) + finding.excerpt;
    return category + std::string(gap) + "第" + number(finding.paragraph) + "段" + std::string(gap) + finding.excerpt;
}

std::string findingsSummary(const std::vector<Finding>& findings)
{
    return "共 " + number(std::count_if(findings.begin(), findings.end(), [](const Finding& f) { return f.counted; })) +
           " 处";
}

bool ignorable(const Finding& finding)
{
    return finding.kind == FindingKind::listWord || finding.kind == FindingKind::doubled ||
           finding.kind == FindingKind::phrase;
}

std::vector<std::string> parseWordList(std::string_view text)
{
    std::vector<std::string> words;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        for (std::size_t i = 0; i < line.size(); i += characterLength(line, i)) {
            if (line[i] == '#') {
                line = line.substr(0, i);
                break;
            }
        }
        line = line.substr(spacesFrom(line, 0));
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
            line.remove_suffix(1);
        while (line.ends_with(gap)) line.remove_suffix(gap.size());
        if (!line.empty()) words.emplace_back(line);
    }
    return words;
}

namespace {

std::uint32_t keyOf(std::string_view s, std::size_t i)
{
    return i + 1 < s.size() ? byteAt(s, i) << 8 | byteAt(s, i + 1) : byteAt(s, i) << 8;
}

} // namespace

WordMatcher::WordMatcher(std::vector<List> lists) : lists_(std::move(lists)), first_(65537, 0)
{
    for (std::size_t list = 0; list < lists_.size(); ++list)
        for (const std::string& word : lists_[list].words)
            if (!word.empty()) entries_.push_back({word, list});
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return keyOf(a.word, 0) < keyOf(b.word, 0); });
    // A one-byte word is keyed by its byte and a zero; it is looked for under
    // that key as well as under its byte and the next one.
    std::size_t e = 0;
    for (std::uint32_t key = 0; key <= 65536; ++key) {
        while (e < entries_.size() && keyOf(entries_[e].word, 0) < key) ++e;
        first_[key] = static_cast<std::uint32_t>(e);
    }
}

std::vector<WordMatcher::Match> WordMatcher::find(std::string_view text, std::size_t start, std::size_t end) const
{
    std::vector<Match> matches;
    if (entries_.empty()) return matches;
    const std::string_view stretch = text.substr(0, end);
    auto tryKey = [&](std::uint32_t key, std::size_t i) {
        for (std::uint32_t e = first_[key]; e < first_[key + 1]; ++e) {
            const Entry& entry = entries_[e];
            if (stretch.substr(i, entry.word.size()) == entry.word &&
                (entry.word.size() == 1 || i + entry.word.size() <= end))
                matches.push_back({i, entry.word, lists_[entry.list].file});
        }
    };
    for (std::size_t i = start; i < end; i += characterLength(text, i)) {
        const std::uint32_t key = keyOf(stretch, i);
        tryKey(key, i);
        if ((key & 0xFF) != 0) tryKey(key & 0xFF00, i);
    }
    return matches;
}

std::optional<std::int64_t> numeralValue(std::string_view s)
{
    constexpr std::string_view digits[] = {"零〇", "一壹", "二贰两", "三叁", "四肆",
                                           "五伍", "六陆", "七柒",   "八捌", "九玖"};
    constexpr std::string_view wideDigits = "０１２３４５６７８９";
    std::int64_t total = 0, section = 0, digit = 0;
    if (s.empty()) return std::nullopt;
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] >= '0' && s[i] <= '9') {
            digit = digit * 10 + (s[i] - '0');
            ++i;
            continue;
        }
        if (i + 2 > s.size()) return std::nullopt;
        const std::string_view c = s.substr(i, 2);
        i += 2;
        int value = -1;
        for (int d = 0; d < 10 && value < 0; ++d)
            for (std::size_t k = 0; k < digits[d].size(); k += 2)
                if (digits[d].substr(k, 2) == c) value = d;
        for (std::size_t k = 0; k < wideDigits.size() && value < 0; k += 2)
            if (wideDigits.substr(k, 2) == c) value = static_cast<int>(k / 2);
        if (value >= 0) {
            digit = digit * 10 + value;
        } else if (c == "十" || c == "拾") {
            section += (digit == 0 ? 1 : digit) * 10, digit = 0;
        } else if (c == "百" || c == "佰") {
            section += digit * 100, digit = 0;
        } else if (c == "千" || c == "仟") {
            section += digit * 1000, digit = 0;
        } else if (c == "廿" || c == "卅") {
            section += c == "廿" ? 20 : 30, digit = 0;
        } else if (c == "万") {
            total += (section + digit) * 10000, section = 0, digit = 0;
        } else {
            return std::nullopt;
        }
        if (total > 1'000'000'000) return std::nullopt;
    }
    return total + section + digit;
}

std::optional<std::int64_t> chapterNumber(std::string_view title)
{
    if (title.starts_with("【")) title.remove_prefix(2);
    if (!title.starts_with("第")) return std::nullopt;
    constexpr std::string_view numerals =
        "零〇一二三四五六七八九十百千万两壹贰叁肆伍陆柒捌玖拾佰仟廿卅０１２３４５６７８９";
    const std::size_t from = spacesFrom(title, 2);
    std::size_t to = from;
    while (to < title.size()) {
        if (title[to] >= '0' && title[to] <= '9') {
            ++to;
            continue;
        }
        const std::size_t at = to + 1 < title.size() ? numerals.find(title.substr(to, 2)) : std::string_view::npos;
        if (at == std::string_view::npos || at % 2 != 0) break;
        to += 2;
    }
    return numeralValue(title.substr(from, to - from));
}

std::vector<Finding> numberingFindings(std::string_view text, const std::vector<ChapterPart>& parts)
{
    std::vector<Finding> findings;
    std::optional<std::int64_t> previous;
    bool volumeBefore = false;
    for (const ChapterPart& part : parts) {
        if (part.kind == HeadingKind::volume) volumeBefore = true;
        if (part.kind != HeadingKind::chapter) continue;
        const std::optional<std::int64_t> n = chapterNumber(part.title);
        if (!n) continue;
        const bool restarted = volumeBefore && *n == 1;
        volumeBefore = false;
        if (previous && !restarted && *n != *previous + 1) {
            const char* what = *n == *previous ? "编号重复" : *n < *previous ? "编号倒退" : "编号跳过";
            Finding finding{FindingKind::numbering,
                            part.offset,
                            0,
                            0,
                            part.title + "（" + what + "，上一章 " + number(*previous) + "）",
                            {}};
            findings.push_back(std::move(finding));
        }
        previous = n;
    }
    // The heading's own paragraph: the part may start with blank lines.
    ParagraphCounter paragraphs(text);
    for (Finding& finding : findings) {
        std::size_t at = finding.offset;
        while (text.substr(at).starts_with("\r\n")) at += 2;
        const std::size_t end = std::min(text.find("\r\n", at), text.size());
        finding.offset = at, finding.length = end - at;
        finding.paragraph = paragraphs.at(at);
    }
    return findings;
}

std::vector<Finding> checkChapter(const CheckRequest& request)
{
    std::vector<Finding> findings, found;
    if (request.target > 0) {
        const bool short_ = request.words < request.target;
        findings.push_back({FindingKind::length,
                            request.start,
                            0,
                            0,
                            "本章 " + number(request.words) + " 字，目标 " + number(request.target) + " 字" +
                                (short_ ? "，还差 " + number(request.target - request.words) + " 字" : ""),
                            {},
                            short_});
    }
    findListWords(request, found);
    findDoubled(request, found);
    findPhrases(request, found);
    findHalfWidth(request, found);
    std::erase_if(found, [&](const Finding& f) {
        return f.kind == FindingKind::doubled && request.ignored && request.ignored->count(f.word);
    });
    std::stable_sort(found.begin(), found.end(),
                     [](const Finding& a, const Finding& b) { return a.offset < b.offset; });
    ParagraphCounter paragraphs(request.text);
    for (Finding& finding : found) finding.paragraph = paragraphs.at(finding.offset);
    findings.insert(findings.end(), found.begin(), found.end());
    if (request.parts) {
        const std::vector<Finding> numbering = numberingFindings(request.text, *request.parts);
        findings.insert(findings.end(), numbering.begin(), numbering.end());
    }
    return findings;
}

} // namespace wrivo
