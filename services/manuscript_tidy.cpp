#include "services/manuscript_tidy.h"

#include <algorithm>
#include <array>
#include <vector>

#include "services/chapter_headings.h"
#include "services/gbk_scan.h"
#include "services/word_count.h"

namespace wrivo {
namespace {

constexpr std::string_view lineBreak = "\r\n";
constexpr std::string_view fullWidthSpace = "　";
constexpr std::string_view indentation = "　　";

// Code page 936's own rule, the edit box's (gbk::CodePageRule): 0x81-0xFE
// lead; with a second byte of 0x40-0x7E or 0x80-0xFE they are a character,
// else they stand alone, as the 字数 takes them.
bool isLeadByte(unsigned char c)
{
    return gbk::CodePageRule::leads(c);
}

std::size_t characterLength(std::string_view s, std::size_t at)
{
    return at + 1 < s.size() &&
                   gbk::CodePageRule::pairs(static_cast<unsigned char>(s[at]), static_cast<unsigned char>(s[at + 1]))
               ? 2
               : 1;
}

// A character as one number: the byte, or lead << 8 | second byte.
using Code = std::uint16_t;
constexpr Code fullSpaceCode = 0xA1A1, ellipsisCode = 0xA1AD, openDoubleCode = 0xA1B0, closeDoubleCode = 0xA1B1,
               openSingleCode = 0xA1AE, closeSingleCode = 0xA1AF;

bool isDoubleByte(Code c)
{
    return c > 0xFF && c != fullSpaceCode;
}

bool isBlank(Code c)
{
    return c == ' ' || c == '\t' || c == fullSpaceCode;
}

bool isAsciiAlnum(Code c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isAsciiLetter(Code c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// What the punctuation rules ask of the character before a mark.
enum class Kind : std::uint8_t {
    blank,
    doubleByte,
    asciiAlnum,
    other
};

Kind kindOf(Code c)
{
    if (isBlank(c)) return Kind::blank;
    if (c > 0xFF) return Kind::doubleByte;
    return isAsciiAlnum(c) ? Kind::asciiAlnum : Kind::other;
}

// 零〇一二三四五六七八九十百千万两, the numerals of "一、概述".
bool isChineseNumeral(Code c)
{
    static constexpr std::array<std::string_view, 16> numerals = {"零", "〇", "一", "二", "三", "四", "五", "六",
                                                                  "七", "八", "九", "十", "百", "千", "万", "两"};
    for (std::string_view n : numerals)
        if (c == (static_cast<unsigned char>(n[0]) << 8 | static_cast<unsigned char>(n[1]))) return true;
    return false;
}

std::string_view fullWidthOf(Code mark)
{
    switch (mark) {
    case ',': return "，";
    case '.': return "。";
    case '?': return "？";
    case '!': return "！";
    case ':': return "：";
    case ';': return "；";
    default: return {};
    }
}

// Bytes that may start something the punctuation rules change: the ASCII
// marks (all below 0x40, so never a second byte) and the first byte of "…".
constexpr std::array<bool, 256> markBytes = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : std::string_view(",.?!:;()\"'-")) table[c] = true;
    table[0xA1] = true;
    return table;
}();

bool mayHoldMarks(std::string_view text)
{
    for (const char c : text)
        if (markBytes[static_cast<unsigned char>(c)]) return true;
    return false;
}

// Reused between paragraphs, so that a long text allocates once.
struct Scratch {
    std::vector<Code> codes;
    std::vector<std::uint32_t> offsets;       // of each character in the text, and its end
    std::vector<std::uint32_t> specials;      // the characters that may be marks (ASCII marks, A1 xx)
    std::vector<std::uint32_t> doublesBefore; // double-byte characters before each one
    std::vector<std::uint8_t> pairedBracket;
    std::vector<std::uint32_t> openBrackets;
    std::vector<char> buffer; // the converted text
    std::string again;        // a paragraph tidied once more
};

// The punctuation rules on a paragraph's text between its leading and
// trailing blanks; the number of marks converted (0: none).
class PunctuationPass {
public:
    explicit PunctuationPass(Scratch& scratch) : s_(scratch), c_(scratch.codes) { }

    // Whether the result still holds a half-width mark (left as it was).
    bool marksLeft = false;

    // The converted text is in the scratch's buffer.
    std::int64_t run(std::string_view text, std::string_view& converted)
    {
        if (!mayHoldMarks(text) || !prepare(text)) return 0;
        // A character grows by two bytes at most ("…" to "……").
        if (s_.buffer.size() < text.size() * 2 + 8) s_.buffer.resize(text.size() * 2 + 8);
        w_ = s_.buffer.data();
        // From one character that may be a mark to the next, the ones
        // between copied whole.
        std::size_t i = 0;
        for (const std::uint32_t special : s_.specials) {
            if (special < i) continue; // taken with the one before
            copyPlain(i, special);
            i = step(special);
        }
        copyPlain(i, c_.size());
        converted = std::string_view(s_.buffer.data(), static_cast<std::size_t>(w_ - s_.buffer.data()));
        return marks_;
    }

private:
    Code code(std::size_t i) const { return i < c_.size() ? c_[i] : Code{0}; }

    // The characters, and whether there is anything to do: a double-byte
    // character and a mark. Brackets and quotes need a look ahead.
    bool prepare(std::string_view text)
    {
        text_ = text;
        c_.resize(text.size());
        s_.offsets.resize(text.size() + 1);
        s_.pairedBracket.clear();
        s_.specials.clear();
        std::size_t n = 0;
        bool doubleByte = false, mark = false, brackets = false, quotes = false;
        for (std::size_t at = 0; at < text.size();) {
            const auto lead = static_cast<unsigned char>(text[at]);
            if (characterLength(text, at) == 2) {
                const Code c = Code(lead << 8 | static_cast<unsigned char>(text[at + 1]));
                s_.offsets[n] = static_cast<std::uint32_t>(at);
                c_[n++] = c;
                at += 2;
                if (lead != 0xA1) {
                    doubleByte = true;
                    continue;
                }
                s_.specials.push_back(static_cast<std::uint32_t>(n - 1));
                doubleByte |= c != fullSpaceCode;
                mark |= c == ellipsisCode;
                quotes |= c == openDoubleCode || c == closeDoubleCode || c == openSingleCode || c == closeSingleCode;
            } else {
                s_.offsets[n] = static_cast<std::uint32_t>(at);
                c_[n++] = lead;
                ++at;
                if (lead >= 0x80 || !markBytes[lead]) continue;
                s_.specials.push_back(static_cast<std::uint32_t>(n - 1));
                mark = true;
                brackets |= lead == '(' || lead == ')';
                quotes |= lead == '"' || lead == '\'';
            }
        }
        c_.resize(n);
        s_.offsets[n] = static_cast<std::uint32_t>(text.size());
        if (!mark || !doubleByte) return false;
        if (quotes) findLastQuotes();
        if (brackets) pairBrackets();
        return true;
    }

    void findLastQuotes()
    {
        for (std::size_t i = 0; i < c_.size(); ++i) {
            if (c_[i] == '"' || c_[i] == openDoubleCode || c_[i] == closeDoubleCode) lastDoubleQuote_ = i;
            if ((c_[i] == '\'' && !isApostrophe(i)) || c_[i] == openSingleCode || c_[i] == closeSingleCode)
                lastSingleQuote_ = i;
        }
    }

    // ( and ) pair up inside the paragraph; a pair converts when it encloses
    // a double-byte character.
    void pairBrackets()
    {
        const std::size_t n = c_.size();
        s_.doublesBefore.assign(n + 1, 0);
        for (std::size_t i = 0; i < n; ++i) s_.doublesBefore[i + 1] = s_.doublesBefore[i] + isDoubleByte(c_[i]);
        s_.pairedBracket.assign(n, 0);
        s_.openBrackets.clear();
        for (std::size_t i = 0; i < n; ++i) {
            if (c_[i] == '(') s_.openBrackets.push_back(static_cast<std::uint32_t>(i));
            if (c_[i] == ')' && !s_.openBrackets.empty()) {
                const std::size_t open = s_.openBrackets.back();
                s_.openBrackets.pop_back();
                if (s_.doublesBefore[i] > s_.doublesBefore[open + 1]) s_.pairedBracket[open] = s_.pairedBracket[i] = 1;
            }
        }
    }

    // Characters [i, j), none of them a mark, as they are.
    void copyPlain(std::size_t i, std::size_t j)
    {
        if (i >= j) return;
        for (; numeralsOnly_ && i < j; ++i) emit(c_[i]);
        if (i == j) return;
        w_ = std::copy(text_.data() + s_.offsets[i], text_.data() + s_.offsets[j], w_);
        previous_ = kindOf(c_[j - 1]);
        for (std::size_t k = j; k-- > i;)
            if (!isBlank(c_[k])) {
                previousNonBlank_ = kindOf(c_[k]);
                break;
            }
    }

    // A ' between two letters ("don't") is no quote.
    bool isApostrophe(std::size_t i) const { return i > 0 && isAsciiLetter(c_[i - 1]) && isAsciiLetter(code(i + 1)); }

    bool nextNonBlankIsDouble(std::size_t i) const
    {
        while (i < c_.size() && isBlank(c_[i])) ++i;
        return i < c_.size() && isDoubleByte(c_[i]);
    }

    void emit(Code c)
    {
        if (c > 0xFF) *w_++ = static_cast<char>(c >> 8);
        *w_++ = static_cast<char>(c & 0xFF);
        if (c < 0x80 && markBytes[c]) marksLeft = true;
        const Kind k = kindOf(c);
        previous_ = k;
        if (k != Kind::blank) previousNonBlank_ = k;
        if (numeralsOnly_ && !isChineseNumeral(c)) numeralsOnly_ = false;
    }

    void convert(std::string_view to)
    {
        w_ = std::copy(to.begin(), to.end(), w_);
        previous_ = previousNonBlank_ = Kind::doubleByte;
        numeralsOnly_ = false;
        ++marks_;
    }

    // Half-width spaces right after a converted mark go.
    std::size_t skipSpaces(std::size_t i) const
    {
        while (code(i) == ' ' || code(i) == '\t') ++i;
        return i;
    }

    std::size_t step(std::size_t i)
    {
        const Code c = c_[i];
        // After a lead byte standing alone, a full-width mark's first byte
        // would become its second: nothing there is converted.
        if (i > 0 && c_[i - 1] <= 0xFF && isLeadByte(static_cast<unsigned char>(c_[i - 1]))) {
            emit(c);
            return i + 1;
        }
        if (c == '.' || c == ellipsisCode) {
            const std::size_t next = dots(i);
            if (next != i) return next;
        }
        if (c == '.' && numeralsOnly_ && previous_ != Kind::blank && !isAsciiAlnum(code(i + 1))) {
            convert("、");
            return skipSpaces(i + 1);
        }
        if (!fullWidthOf(c).empty()) {
            const bool chineseBeside = previousNonBlank_ == Kind::doubleByte || nextNonBlankIsDouble(i + 1);
            if (chineseBeside && previous_ != Kind::asciiAlnum && !isAsciiAlnum(code(i + 1))) {
                convert(fullWidthOf(c));
                return skipSpaces(i + 1);
            }
        }
        if (c == '-') return dashes(i);
        if ((c == '(' || c == ')') && !s_.pairedBracket.empty() && s_.pairedBracket[i]) {
            convert(c == '(' ? "（" : "）");
            return i + 1;
        }
        if (c == '"' || c == openDoubleCode || c == closeDoubleCode)
            return quote(i, doubleOpen_, lastDoubleQuote_, openDoubleCode, closeDoubleCode);
        if ((c == '\'' && !isApostrophe(i)) || c == openSingleCode || c == closeSingleCode)
            return quote(i, singleOpen_, lastSingleQuote_, openSingleCode, closeSingleCode);
        emit(c);
        return i + 1;
    }

    // Three dots or more, or a run of "…", after a double-byte character
    // become "……". Anything else is left to the single-mark rule (one or two
    // dots) or as it is; answers `i` when the run is not handled here.
    std::size_t dots(std::size_t i)
    {
        std::size_t j = i, dotCount = 0, ellipses = 0;
        for (; j < c_.size() && (c_[j] == '.' || c_[j] == ellipsisCode); ++j) ++(c_[j] == '.' ? dotCount : ellipses);
        if (ellipses == 0 && dotCount < 3) return i;
        if (previous_ == Kind::doubleByte && !(ellipses == 2 && dotCount == 0)) {
            convert("……");
            return j;
        }
        for (std::size_t k = i; k < j; ++k) emit(c_[k]);
        return j;
    }

    // Exactly "--" beside Chinese becomes "——".
    std::size_t dashes(std::size_t i)
    {
        std::size_t j = i;
        while (code(j) == '-') ++j;
        if (j - i == 2 && (previousNonBlank_ == Kind::doubleByte || nextNonBlankIsDouble(j))) {
            convert("——");
            return j;
        }
        for (std::size_t k = i; k < j; ++k) emit('-');
        return j;
    }

    // Straight quotes open and close in turn, curly ones already there
    // counting too; one that would open with no quote after it is left.
    std::size_t quote(std::size_t i, bool& open, std::size_t last, Code opening, Code closing)
    {
        const Code c = c_[i];
        const auto spelled = [](Code q) { return std::string{static_cast<char>(q >> 8), static_cast<char>(q & 0xFF)}; };
        if (c == opening || c == closing) {
            open = c == opening;
            emit(c);
        } else if (open) {
            convert(spelled(closing));
            open = false;
        } else if (i < last) {
            convert(spelled(opening));
            open = true;
        } else {
            emit(c);
        }
        return i + 1;
    }

    Scratch& s_;
    std::string_view text_;
    std::vector<Code>& c_;
    char* w_ = nullptr; // where the next byte of the result goes
    std::int64_t marks_ = 0;
    Kind previous_ = Kind::blank, previousNonBlank_ = Kind::blank;
    bool numeralsOnly_ = true;
    bool doubleOpen_ = false, singleOpen_ = false;
    std::size_t lastDoubleQuote_ = 0, lastSingleQuote_ = 0;
};

struct ParagraphChange {
    bool indented = false;
    bool trimmed = false;
    std::int64_t marks = 0;
    bool marksLeft = false; // by the last round
};

// The blanks a paragraph starts with and ends with, in bytes.
struct Edges {
    std::size_t lead = 0, trail = 0;
    bool blank = false;
};

std::size_t blankLengthAt(std::string_view p, std::size_t at)
{
    if (p[at] == ' ' || p[at] == '\t') return 1;
    return p.substr(at, 2) == fullWidthSpace ? 2 : 0;
}

Edges edgesOf(std::string_view p)
{
    Edges e;
    while (e.lead < p.size())
        if (const std::size_t blank = blankLengthAt(p, e.lead))
            e.lead += blank;
        else
            break;
    if (e.lead == p.size()) return {p.size(), 0, true};
    // Spaces and tabs are never a second byte, so only a text that ends in
    // A1 A1 needs reading from its start to know where its characters begin.
    std::size_t end = p.size();
    while (end > e.lead && (p[end - 1] == ' ' || p[end - 1] == '\t')) --end;
    if (end >= 2 && p.substr(end - 2, 2) == fullWidthSpace) {
        std::size_t lastEnd = e.lead;
        for (std::size_t at = e.lead; at < end;) {
            const std::size_t length = characterLength(p, at);
            if (!blankLengthAt(p, at) || length != blankLengthAt(p, at)) lastEnd = at + length;
            at += length;
        }
        end = lastEnd;
    }
    e.trail = p.size() - end;
    return e;
}

// Whether the text (starting with no blank) holds a character the 字数
// counts; its first character nearly always tells.
bool holdsCountedCharacter(std::string_view body)
{
    const auto first = static_cast<unsigned char>(body[0]);
    if (isLeadByte(first) || isAsciiAlnum(first)) return true; // a character or a lone lead byte: one each
    return countWords(body).words > 0;
}

// One round of the rules on one paragraph, appended to `out`.
void tidyOnce(std::string_view p, const TidyOptions& options, ParagraphChange& change, Scratch& scratch,
              std::string& out)
{
    const Edges edges = edgesOf(p);
    if (edges.blank) {
        if (options.trimTrailing && !p.empty()) change.trimmed = true;
        if (!options.trimTrailing) out += p;
        return;
    }
    const std::string_view lead = p.substr(0, edges.lead);
    const std::string_view body = p.substr(edges.lead, p.size() - edges.lead - edges.trail);
    const std::string_view trail = p.substr(p.size() - edges.trail);
    const bool heading = headingKind(p) != HeadingKind::none;

    std::string_view newBody = body;
    std::int64_t marks = 0;
    change.marksLeft = false;
    if (options.punctuation) {
        PunctuationPass pass(scratch);
        marks = pass.run(body, newBody);
        change.marksLeft = pass.marksLeft;
        // A heading stays a heading: its marks are left when converting
        // them would make it ordinary text.
        if (marks && heading && headingKind(newBody) == HeadingKind::none) {
            marks = 0;
            newBody = body;
        }
    }
    std::string_view newLead = lead;
    if (options.indent) newLead = heading ? std::string_view() : holdsCountedCharacter(newBody) ? indentation : lead;

    out.append(newLead).append(newBody);
    if (!options.trimTrailing) out.append(trail);
    change.indented |= newLead != lead;
    change.trimmed |= options.trimTrailing && !trail.empty();
    change.marks += marks;
}

// The paragraph tidied until another round changes nothing, appended to
// `out`. Only converted marks can make another round do more (a converted
// mark is a double-byte character its neighbours then see), and only to
// half-width marks left over: a run of "…" already saw what came before it
// as it is now.
void tidyParagraph(std::string_view p, const TidyOptions& options, ParagraphChange& change, Scratch& scratch,
                   std::string& out)
{
    const std::size_t from = out.size();
    tidyOnce(p, options, change, scratch, out);
    while (change.marks && change.marksLeft) {
        const std::int64_t before = change.marks;
        scratch.again.assign(out, from);
        out.resize(from);
        tidyOnce(scratch.again, options, change, scratch, out);
        if (change.marks == before) break;
    }
}

std::size_t paragraphStart(std::string_view text, std::size_t at)
{
    if (at > 0 && at < text.size() && text[at - 1] == '\r' && text[at] == '\n') --at;
    const std::size_t found = text.substr(0, at).rfind(lineBreak);
    return found == std::string_view::npos ? 0 : found + 2;
}

std::size_t paragraphEnd(std::string_view text, std::size_t at)
{
    if (at > 0 && at < text.size() && text[at - 1] == '\r' && text[at] == '\n') --at;
    const std::size_t found = text.find(lineBreak, at);
    return found == std::string_view::npos ? text.size() : found;
}

// One paragraph of the range on its way out.
struct Piece {
    std::size_t start, length; // in the range
    bool blank;
    bool kept = false;
    std::size_t outStart = 0, outLength = 0; // where it went (or would have) in the replacement
    ParagraphChange change;
};

bool isBlankParagraph(std::string_view p)
{
    std::size_t at = 0;
    while (at < p.size())
        if (const std::size_t blank = blankLengthAt(p, at))
            at += blank;
        else
            return false;
    return true;
}

// How many of a run of `count` blank paragraphs stay.
std::size_t blanksKept(BlankLines mode, std::size_t count, bool first, bool last, bool atDocumentStart)
{
    if (mode == BlankLines::keep) return count;
    if (mode == BlankLines::none) return 0;
    if (first && atDocumentStart) return 0;
    if (first || last) return std::min<std::size_t>(count, 1);
    return 1;
}

// Back to the start of the character holding `at` in `s`.
std::size_t characterStartAtOrBefore(std::string_view s, std::size_t at)
{
    std::size_t position = 0;
    while (position < s.size()) {
        const std::size_t next = position + characterLength(s, position);
        if (next > at) break;
        position = next;
    }
    return position;
}

} // namespace

TidyResult tidyManuscript(std::string_view text, std::size_t from, std::size_t to, std::size_t caret,
                          const TidyOptions& options)
{
    from = std::min(from, text.size());
    to = std::min(to, text.size());
    if (to < from) std::swap(from, to);
    TidyResult result;
    result.start = paragraphStart(text, from);
    const bool endsAtParagraphStart = to > from && to >= 2 && to < text.size() && text.substr(to - 2, 2) == lineBreak;
    result.end = endsAtParagraphStart ? std::max(result.start, to - 2) : paragraphEnd(text, to);
    const std::string_view range = text.substr(result.start, result.end - result.start);

    std::vector<Piece> pieces;
    for (std::size_t at = 0;;) {
        const std::size_t end = std::min(range.find(lineBreak, at), range.size());
        pieces.push_back({at, end - at, isBlankParagraph(range.substr(at, end - at)), false, 0, 0, {}});
        if (end == range.size()) break;
        at = end + 2;
    }

    // Blank paragraphs go by runs; one is put in between two paragraphs
    // that had none when the choice is one blank line.
    Scratch scratch;
    std::string& out = result.replacement;
    out.reserve(range.size() + range.size() / 8 + 16);
    bool firstOut = true;
    auto put = [&](Piece& piece) {
        if (!firstOut) out += lineBreak;
        firstOut = false;
        piece.outStart = out.size();
        tidyParagraph(range.substr(piece.start, piece.length), options, piece.change, scratch, out);
        piece.outLength = out.size() - piece.outStart;
        piece.kept = true;
    };
    const bool atDocumentStart = result.start == 0;
    bool seenText = false;
    for (std::size_t i = 0; i < pieces.size();) {
        if (!pieces[i].blank) {
            if (seenText && options.blankLines == BlankLines::one && !pieces[i - 1].blank) {
                out += lineBreak; // an empty paragraph before this one
                ++result.counts.blankAdded;
            }
            put(pieces[i++]);
            seenText = true;
            continue;
        }
        std::size_t j = i;
        while (j < pieces.size() && pieces[j].blank) ++j;
        const std::size_t keep = blanksKept(options.blankLines, j - i, !seenText, j == pieces.size(), atDocumentStart);
        for (std::size_t k = i; k < j; ++k)
            if (k - i < keep)
                put(pieces[k]);
            else
                pieces[k].outStart = out.size();
        result.counts.blankRemoved += static_cast<std::int64_t>(j - i - keep);
        i = j;
    }
    if (firstOut && result.start == 0 && result.end == text.size()) {
        // A text is at least one paragraph: the first stays.
        put(pieces.front());
        --result.counts.blankRemoved;
    }
    for (const Piece& piece : pieces) {
        if (!piece.kept) continue;
        result.counts.indented += piece.change.indented;
        result.counts.trailingTrimmed += piece.change.trimmed;
        result.counts.punctuation += piece.change.marks;
    }

    // The caret stays in its paragraph, as far into it as before, give or
    // take the change of its indentation; outside the range it moves with
    // the text.
    if (caret < result.start) {
        result.caret = caret;
    } else if (caret > result.end) {
        result.caret = caret - range.size() + out.size();
    } else {
        std::size_t k = 0;
        while (k + 1 < pieces.size() && result.start + pieces[k + 1].start <= caret) ++k;
        const Piece& piece = pieces[k];
        std::size_t position = piece.outStart;
        if (piece.kept) {
            const std::string_view before = range.substr(piece.start, piece.length);
            const std::string_view after = std::string_view(out).substr(piece.outStart, piece.outLength);
            const std::ptrdiff_t column = static_cast<std::ptrdiff_t>(caret - result.start - piece.start) -
                                          static_cast<std::ptrdiff_t>(edgesOf(before).lead) +
                                          static_cast<std::ptrdiff_t>(edgesOf(after).lead);
            const auto within = static_cast<std::size_t>(
                std::clamp<std::ptrdiff_t>(column, 0, static_cast<std::ptrdiff_t>(after.size())));
            position += characterStartAtOrBefore(after, within);
        }
        result.caret = result.start + std::min(position, out.size());
    }
    if (firstOut) {
        // Nothing of the range is left: a line break beside it goes too.
        if (result.end < text.size()) {
            result.end += 2;
        } else {
            result.start -= 2;
        }
        if (caret > result.end)
            result.caret = caret - (result.end - result.start);
        else
            result.caret = std::min(result.caret, result.start);
    }
    return result;
}

std::string tidiedText(std::string_view text, const TidyOptions& options)
{
    return std::move(tidyManuscript(text, 0, text.size(), 0, options).replacement);
}

} // namespace wrivo
