#include "services/writing/chapter_headings.h"

#include "host/gbk_rules.h"
#include "services/text/gbk_scan_sse2.h"

#include <algorithm>

namespace wrivo {

namespace {

constexpr std::size_t longestHeading = 40; // characters

constexpr std::string_view fullWidthSpace = "　";
constexpr std::string_view openBracket = "【";
constexpr std::string_view closeBracket = "】";
constexpr std::string_view numerals =
    "零〇一二三四五六七八九十百千万两壹贰叁肆伍陆柒捌玖拾佰仟廿卅０１２３４５６７８９萬兩";
constexpr std::string_view wideSeparators = "：、，·—";
constexpr std::string_view narrowSeparators = ":,.-";
constexpr std::string_view freeUnits = "章卷"; // the title may follow at once
constexpr std::string_view volumeUnits = "卷部篇";
constexpr std::string_view otherUnits = "回节部篇集節"; // a separator must come first
constexpr std::string_view sectionUnits = "节節";
// With the Traditional forms, so that headings survive 转为繁体.
constexpr std::string_view markers = "序章序言楔子引子前言尾声后记终章番外尾聲後記終章";
constexpr std::string_view extra = "番外";
constexpr std::string_view extraPiece = "番外篇";
constexpr std::string_view sentenceEnds = "。！？…";

// Whether the double-byte character at i is one of the two-byte characters in `set`.
bool wideIn(std::string_view s, std::size_t i, std::string_view set)
{
    if (i + 2 > s.size()) return false;
    for (std::size_t k = 0; k + 2 <= set.size(); k += 2)
        if (s[i] == set[k] && s[i + 1] == set[k + 1]) return true;
    return false;
}

// Bytes of the space (half-width, tab or full-width) at i, 0 when none.
std::size_t spaceAt(std::string_view s, std::size_t i)
{
    if (i < s.size() && (s[i] == ' ' || s[i] == '\t')) return 1;
    return s.substr(i).starts_with(fullWidthSpace) ? 2 : 0;
}

std::size_t leadingSpaces(std::string_view s)
{
    std::size_t i = 0;
    while (std::size_t step = spaceAt(s, i)) i += step;
    return i;
}

// The paragraph without surrounding spaces, and how many characters it has,
// counted no further than past `limit`.
struct Body {
    std::string_view text;
    std::size_t characters;
};

Body trimmedBody(std::string_view paragraph, std::size_t limit)
{
    const std::size_t start = leadingSpaces(paragraph);
    std::size_t end = start, characters = 0, counted = 0;
    for (std::size_t i = start; i < paragraph.size() && counted <= limit;) {
        const std::size_t space = spaceAt(paragraph, i);
        const std::size_t step = space ? space : gbk::pairedLength(paragraph, i);
        i += step;
        ++characters;
        if (!space) end = i, counted = characters;
    }
    return {paragraph.substr(start, end - start), counted};
}

bool isNumeral(std::string_view s, std::size_t i)
{
    return (s[i] >= '0' && s[i] <= '9') || wideIn(s, i, numerals);
}

// End of the number that starts at i (i when none).
std::size_t numberEnd(std::string_view s, std::size_t i)
{
    while (i < s.size() && isNumeral(s, i)) i += s[i] >= '0' && s[i] <= '9' ? 1 : 2;
    return i;
}

// Whether a heading word may end at i: the paragraph ends, or a space or a
// separating mark comes next.
bool separatedAt(std::string_view s, std::size_t i, bool bracketed)
{
    if (i == s.size() || spaceAt(s, i)) return true;
    if (narrowSeparators.find(s[i]) != std::string_view::npos) return true;
    return wideIn(s, i, wideSeparators) || (bracketed && s.substr(i).starts_with(closeBracket));
}

std::size_t spacesFrom(std::string_view s, std::size_t i)
{
    while (std::size_t step = spaceAt(s, i)) i += step;
    return i;
}

// A title run straight on from 章 or 卷 reads as a sentence when it ends as
// one or holds a comma: "第三章里说的那个人就是他。" is text.
bool readsAsSentence(std::string_view title)
{
    std::size_t last = title.size();
    for (std::size_t i = 0; i < title.size(); i += gbk::pairedLength(title, i)) {
        if (wideIn(title, i, "，")) return true;
        last = i;
    }
    return last + 2 == title.size() && wideIn(title, last, sentenceEnds);
}

HeadingKind numberedHeading(std::string_view s, bool bracketed)
{
    const std::size_t numberStart = spacesFrom(s, 2);
    const std::size_t number = numberEnd(s, numberStart);
    if (number == numberStart) return HeadingKind::none;
    const std::size_t unit = spacesFrom(s, number);
    const bool free = wideIn(s, unit, freeUnits);
    if (!free && !(wideIn(s, unit, otherUnits) && separatedAt(s, unit + 2, bracketed))) return HeadingKind::none;
    if (free && !separatedAt(s, unit + 2, bracketed) && readsAsSentence(s.substr(unit + 2))) return HeadingKind::none;
    if (wideIn(s, unit, volumeUnits)) return HeadingKind::volume;
    return wideIn(s, unit, sectionUnits) ? HeadingKind::section : HeadingKind::chapter;
}

bool markedHeading(std::string_view s, bool bracketed)
{
    for (std::size_t k = 0; k < markers.size(); k += 4) {
        if (!s.starts_with(markers.substr(k, 4))) continue;
        if (separatedAt(s, 4, bracketed)) return true;
        if (s.starts_with(extraPiece) && separatedAt(s, extraPiece.size(), bracketed)) return true;
        return s.starts_with(extra) && 4 < s.size() && isNumeral(s, 4);
    }
    return false;
}

bool englishHeading(std::string_view s)
{
    constexpr std::string_view word = "chapter";
    if (s.size() < word.size() + 2) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if ((s[i] | 0x20) != word[i]) return false;
    std::size_t i = word.size();
    while (i < s.size() && s[i] == ' ') ++i;
    return i > word.size() && i < s.size() && s[i] >= '0' && s[i] <= '9';
}

// Whether a paragraph whose first character (after spaces) is at i may be a
// heading at all: most paragraphs are turned away here, before anything else
// is looked at.
bool mayStartHeading(std::string_view s, std::size_t i)
{
    return s[i] == 'C' || s[i] == 'c' || wideIn(s, i, "第【") || wideIn(s, i, markers);
}

} // namespace

HeadingKind headingKind(std::string_view paragraph)
{
    const std::size_t start = leadingSpaces(paragraph);
    if (start == paragraph.size() || !mayStartHeading(paragraph, start)) return HeadingKind::none;
    const Body body = trimmedBody(paragraph, longestHeading);
    if (body.characters > longestHeading) return HeadingKind::none;
    std::string_view s = body.text;
    const bool bracketed = s.starts_with(openBracket);
    if (bracketed) s.remove_prefix(openBracket.size());
    if (s.starts_with("第")) return numberedHeading(s, bracketed);
    if (markedHeading(s, bracketed) || englishHeading(s)) return HeadingKind::chapter;
    return HeadingKind::none;
}

std::string headingTitle(std::string_view paragraph)
{
    const Body body = trimmedBody(paragraph, longestHeading);
    std::size_t end = 0;
    for (std::size_t characters = 0; end < body.text.size() && characters < longestHeading; ++characters)
        end += gbk::pairedLength(body.text, end);
    return std::string(body.text.substr(0, end));
}

std::vector<ChapterPart> splitChapters(std::string_view text)
{
    std::vector<ChapterPart> parts;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t start = 0;
    while (start <= text.size()) {
        const unsigned char* found = gbk::findByte(p + start, '\r', text.size() - start);
        std::size_t end = found ? static_cast<std::size_t>(found - p) : text.size();
        while (end < text.size() && (end + 1 == text.size() || text[end + 1] != '\n')) {
            found = gbk::findByte(p + end + 1, '\r', text.size() - end - 1);
            end = found ? static_cast<std::size_t>(found - p) : text.size();
        }
        const std::string_view paragraph = text.substr(start, end - start);
        const HeadingKind kind = headingKind(paragraph);
        if (kind != HeadingKind::none) parts.push_back(ChapterPart{start, 0, kind, headingTitle(paragraph), {}});
        start = end + 2;
    }
    if (parts.empty()) {
        parts.push_back(ChapterPart{0, 0, HeadingKind::none, "（全文）", {}});
    } else if (parts.front().offset > 0) {
        const WordCount before = countWords(text.substr(0, parts.front().offset));
        if (before.words > 0)
            parts.insert(parts.begin(), ChapterPart{0, 0, HeadingKind::none, "（开头）", {}});
        else
            parts.front().offset = 0;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t end = i + 1 < parts.size() ? parts[i + 1].offset : text.size();
        parts[i].length = end - parts[i].offset;
        parts[i].count = countWords(text.substr(parts[i].offset, parts[i].length));
    }
    return parts;
}

std::size_t partAt(const std::vector<ChapterPart>& parts, std::size_t offset)
{
    const auto after = std::upper_bound(parts.begin(), parts.end(), offset,
                                        [](std::size_t at, const ChapterPart& part) { return at < part.offset; });
    return after == parts.begin() ? 0 : static_cast<std::size_t>(after - parts.begin()) - 1;
}

std::size_t chapterCount(const std::vector<ChapterPart>& parts)
{
    return static_cast<std::size_t>(std::count_if(
        parts.begin(), parts.end(), [](const ChapterPart& part) { return part.kind == HeadingKind::chapter; }));
}

} // namespace wrivo
