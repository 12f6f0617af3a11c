#include "services/writing/manuscript_tidy.h"

#include <algorithm>
#include <array>
#include <vector>

#include "services/text/gbk_scan.h"
#include "services/writing/chapter_headings.h"
#include "services/writing/word_count.h"

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
    return gbk::pairedLength(s, at);
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

// A Chinese character, not one of the code page's symbols (leads A1-A9).
bool isChinese(Code c)
{
    return c > 0xFF && !(c >= 0xA100 && c < 0xAA00);
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

// The half-width marks a text with Chinese in it still holds, a run of them
// (":)", "--", "...") counted once and a ' inside a word ("don't") not at all.
std::int64_t marksLeftIn(std::string_view text)
{
    if (std::none_of(text.begin(), text.end(),
                     [](char c) { return c != '\xA1' && markBytes[static_cast<unsigned char>(c)]; }))
        return 0;
    std::int64_t places = 0;
    bool chinese = false, inRun = false;
    Code before = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = characterLength(text, at);
        const auto c = static_cast<Code>(length == 2 ? static_cast<unsigned char>(text[at]) << 8 |
                                                           static_cast<unsigned char>(text[at + 1])
                                                     : static_cast<unsigned char>(text[at]));
        at += length;
        chinese |= isChinese(c);
        const Code after = at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
        const bool mark = c < 0x80 && markBytes[c] && !(c == '\'' && isAsciiLetter(before) && isAsciiLetter(after));
        places += mark && !inRun;
        inRun = mark;
        before = c;
    }
    return chinese ? places : 0;
}

// Reused between paragraphs, so that a long text allocates once.
struct Scratch {
    std::vector<Code> codes;
    std::vector<std::uint32_t> offsets;       // of each character in the text, and its end
    std::vector<std::uint32_t> specials;      // the characters that may be marks (ASCII marks, A1 xx)
    std::vector<std::uint32_t> chineseBefore; // Chinese characters before each one
    std::vector<std::uint8_t> pairs;          // per character: not of a converted pair, its opening or closing
    std::vector<std::uint32_t> openings;
    std::vector<char> buffer; // the converted text
    std::string again;        // a paragraph tidied once more
};

enum Pair : std::uint8_t {
    unpaired,
    opening,
    closing
};

// The punctuation rules on a paragraph's text between its leading and
// trailing blanks. A mark converts only where it is plainly a mistyped one:
// one touching an ASCII letter, digit or other mark (":)", "--help") stays,
// brackets and quotes go by pairs around Chinese text between Chinese or the
// paragraph's edges, and "." only ends a sentence after a Chinese character.
class PunctuationPass {
public:
    explicit PunctuationPass(Scratch& scratch) : s_(scratch), c_(scratch.codes) { }

    // Whether a mark was left for what this round may change: a half-width
    // mark past blanks, after "…", or a mark or space outside a bracket or
    // quote. Every other rule looks at what touches a mark, and a half-width
    // mark there keeps both as they are.
    bool mayConvertMore = false;

    // The converted text is in the scratch's buffer; answers the number of
    // marks converted (0: none).
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
        s_.specials.clear();
        std::size_t n = 0;
        bool doubleByte = false, mark = false, pairs = false;
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
            } else {
                s_.offsets[n] = static_cast<std::uint32_t>(at);
                c_[n++] = lead;
                ++at;
                if (lead >= 0x80 || !markBytes[lead]) continue;
                s_.specials.push_back(static_cast<std::uint32_t>(n - 1));
                mark = true;
                pairs |= lead == '(' || lead == ')' || lead == '"' || lead == '\'';
            }
        }
        c_.resize(n);
        s_.offsets[n] = static_cast<std::uint32_t>(text.size());
        if (!mark || !doubleByte) return false;
        s_.pairs.assign(n, unpaired);
        if (pairs) pairUp();
        return true;
    }

    // After a lead byte standing alone, a full-width mark's first byte would
    // become its second: nothing there is converted.
    bool afterLoneLead(std::size_t i) const
    {
        return i > 0 && c_[i - 1] <= 0xFF && isLeadByte(static_cast<unsigned char>(c_[i - 1]));
    }

    // A ' between two letters ("don't") is no quote.
    bool isApostrophe(std::size_t i) const { return i > 0 && isAsciiLetter(c_[i - 1]) && isAsciiLetter(code(i + 1)); }

    // Marks `open` and `close` as a pair to convert when they hold Chinese
    // text, each has Chinese, a full-width mark or the paragraph's edge
    // outside, and one of them is half-width.
    void pairIfPlain(std::size_t open, std::size_t close)
    {
        const auto plainOutside = [this](std::size_t i) {
            if (i >= c_.size()) return true;
            // A half-width mark there may yet be converted (beside a curly
            // quote), a space go after one converted.
            if (c_[i] == ' ' || c_[i] == '\t' || (c_[i] < 0x80 && markBytes[c_[i]])) mayConvertMore = true;
            return isDoubleByte(c_[i]);
        };
        const bool outsideOpen = open == 0 || plainOutside(open - 1);
        const bool outsideClose = plainOutside(close + 1);
        const bool halfWidth = c_[open] < 0x80 || c_[close] < 0x80;
        if (outsideOpen && outsideClose && halfWidth && s_.chineseBefore[close] > s_.chineseBefore[open + 1] &&
            !afterLoneLead(open) && !afterLoneLead(close)) {
            s_.pairs[open] = opening;
            s_.pairs[close] = closing;
        }
    }

    // ( and ) nest; quotes open and close in turn, the curly ones already
    // there taking their part.
    void pairUp()
    {
        const std::size_t n = c_.size();
        s_.chineseBefore.assign(n + 1, 0);
        for (std::size_t i = 0; i < n; ++i) s_.chineseBefore[i + 1] = s_.chineseBefore[i] + isChinese(c_[i]);
        s_.openings.clear();
        for (std::size_t i = 0; i < n; ++i) {
            if (c_[i] == '(') s_.openings.push_back(static_cast<std::uint32_t>(i));
            if (c_[i] == ')' && !s_.openings.empty()) {
                pairIfPlain(s_.openings.back(), i);
                s_.openings.pop_back();
            }
        }
        const auto quotes = [&](Code straight, Code curlyOpen, Code curlyClose) {
            std::size_t open = n;
            for (std::size_t i = 0; i < n; ++i) {
                const Code c = c_[i];
                if (c == '\'' && isApostrophe(i)) continue;
                if (c == curlyOpen || (c == straight && open == n)) {
                    open = i;
                } else if (c == curlyClose || c == straight) {
                    if (open < n) pairIfPlain(open, i);
                    open = n;
                }
            }
        };
        quotes('"', openDoubleCode, closeDoubleCode);
        quotes('\'', openSingleCode, closeSingleCode);
    }

    // Characters [i, j), none of them a mark, as they are.
    void copyPlain(std::size_t i, std::size_t j)
    {
        if (i >= j) return;
        w_ = std::copy(text_.data() + s_.offsets[i], text_.data() + s_.offsets[j], w_);
        previous_ = kindOf(c_[j - 1]);
        for (std::size_t k = j; k-- > i;)
            if (!isBlank(c_[k])) {
                previousNonBlank_ = kindOf(c_[k]);
                break;
            }
    }

    // A half-width mark found here may be converted in this round, which
    // the next round then sees.
    bool nextNonBlankIsDouble(std::size_t i)
    {
        while (i < c_.size() && isBlank(c_[i])) ++i;
        if (i < c_.size() && c_[i] < 0x80 && markBytes[c_[i]]) mayConvertMore = true;
        return i < c_.size() && isDoubleByte(c_[i]);
    }

    // What comes right after a mark lets it convert: the paragraph's end, a
    // blank, a double-byte character or a bracket or quote converted here;
    // not an ASCII letter, digit or other mark.
    bool plainAfter(std::size_t i) const
    {
        return i == c_.size() || c_[i] > 0xFF || isBlank(c_[i]) || s_.pairs[i] != unpaired;
    }
    bool plainBefore() const { return previous_ == Kind::blank || previous_ == Kind::doubleByte; }

    // Where "." plainly ends a sentence: at the paragraph's end, before a
    // blank or before a closing quote.
    bool sentenceEndsAt(std::size_t i) const
    {
        return i == c_.size() || isBlank(c_[i]) || c_[i] == closeDoubleCode || c_[i] == closeSingleCode ||
               (s_.pairs[i] == closing && (c_[i] == '"' || c_[i] == '\''));
    }

    void emit(Code c)
    {
        if (c > 0xFF) *w_++ = static_cast<char>(c >> 8);
        *w_++ = static_cast<char>(c & 0xFF);
        const Kind k = kindOf(c);
        previous_ = k;
        if (k != Kind::blank) previousNonBlank_ = k;
    }

    void convert(std::string_view to)
    {
        w_ = std::copy(to.begin(), to.end(), w_);
        previous_ = previousNonBlank_ = Kind::doubleByte;
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
        if (afterLoneLead(i)) {
            emit(c);
            return i + 1;
        }
        if (c == '.' || c == ellipsisCode) {
            const std::size_t next = dots(i);
            if (next != i) return next;
        }
        if (!fullWidthOf(c).empty() && plainBefore() && plainAfter(i + 1)) {
            const bool convertible = c == '.' ? previous_ == Kind::doubleByte && sentenceEndsAt(i + 1)
                                              : previousNonBlank_ == Kind::doubleByte || nextNonBlankIsDouble(i + 1);
            if (convertible) {
                convert(fullWidthOf(c));
                return skipSpaces(i + 1);
            }
        }
        if (c == '-') return dashes(i);
        if (s_.pairs[i] != unpaired && c < 0x80) {
            static constexpr std::string_view spelled[2][3] = {{"（", "“", "‘"}, {"）", "”", "’"}};
            convert(spelled[s_.pairs[i] == closing][c == '(' || c == ')' ? 0 : c == '"' ? 1 : 2]);
            return i + 1;
        }
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
        if (previous_ == Kind::doubleByte && (dotCount == 0 || plainAfter(j)) && !(ellipses == 2 && dotCount == 0)) {
            convert("……");
            return j;
        }
        // A run ending in "…" lets the half-width mark after it convert.
        if (ellipses && j < c_.size() && c_[j] < 0x80 && markBytes[c_[j]]) mayConvertMore = true;
        for (std::size_t k = i; k < j; ++k) emit(c_[k]);
        return j;
    }

    // Exactly "--" beside Chinese, touching no ASCII letter, digit or other
    // mark, becomes "——".
    std::size_t dashes(std::size_t i)
    {
        std::size_t j = i;
        while (code(j) == '-') ++j;
        if (j - i == 2 && plainBefore() && plainAfter(j) &&
            (previousNonBlank_ == Kind::doubleByte || nextNonBlankIsDouble(j))) {
            convert("——");
            return j;
        }
        for (std::size_t k = i; k < j; ++k) emit('-');
        return j;
    }

    Scratch& s_;
    std::string_view text_;
    std::vector<Code>& c_;
    char* w_ = nullptr; // where the next byte of the result goes
    std::int64_t marks_ = 0;
    Kind previous_ = Kind::blank, previousNonBlank_ = Kind::blank;
};

struct ParagraphChange {
    bool indented = false;
    bool trimmed = false;
    std::int64_t marks = 0;
    std::int64_t marksLeft = 0; // after the last round
    bool again = false;         // another round may convert more
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
    change.again = false;
    if (edges.blank) {
        if (options.trimTrailing && !p.empty()) change.trimmed = true;
        if (!options.trimTrailing) out += p;
        return;
    }
    const std::string_view lead = p.substr(0, edges.lead);
    const std::string_view body = p.substr(edges.lead, p.size() - edges.lead - edges.trail);
    const std::string_view trail = p.substr(p.size() - edges.trail);

    std::string_view newBody = body;
    std::int64_t marks = 0;
    if (options.punctuation) {
        PunctuationPass pass(scratch);
        marks = pass.run(body, newBody);
        // A heading stays a heading: its marks are left when converting
        // them would make it ordinary text.
        if (marks && headingKind(newBody) == HeadingKind::none && headingKind(body) != HeadingKind::none) {
            marks = 0;
            newBody = body;
        }
        change.again = marks && pass.mayConvertMore;
        change.marksLeft = marksLeftIn(newBody);
    }
    // Decided on the converted text, which a second run sees: converting
    // can bring a paragraph within a heading's length.
    const bool heading = headingKind(newBody) != HeadingKind::none;
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
// mark is a double-byte character its neighbours then see), and only where
// the pass said so.
void tidyParagraph(std::string_view p, const TidyOptions& options, ParagraphChange& change, Scratch& scratch,
                   std::string& out)
{
    const std::size_t from = out.size();
    tidyOnce(p, options, change, scratch, out);
    while (change.again) {
        scratch.again.assign(out, from);
        out.resize(from);
        tidyOnce(scratch.again, options, change, scratch, out);
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
        result.counts.marksLeft += piece.change.marksLeft;
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
