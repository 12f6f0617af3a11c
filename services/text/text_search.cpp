#include "services/text/text_search.h"

#include "services/text/gbk_scan.h"
#include "services/text/gbk_scan_sse2.h"

namespace wrivo {
namespace {

bool isAsciiLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

unsigned char asciiLower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

bool isWordByte(unsigned char c)
{
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_';
}

// Goes through the matches of a term from left to right. Candidates come from
// a fast search for the term's first byte (in either case where case does not
// matter); each is then checked for a character boundary, the rest of the
// term and the word rule. The boundary check walks back from a candidate only
// as far as the last place known to start a character, so a whole scan looks
// at each byte a bounded number of times.
class MatchScanner {
public:
    MatchScanner(std::string_view text, std::string_view term, std::size_t from, SearchOptions options)
        : text_(text), term_(searchableTerm(term)), options_(options), p_(gbk::bytes(text)), position_(from)
    {
        const auto first = term_.empty() ? 0 : static_cast<unsigned char>(term_[0]);
        firstBytes_[0] = first;
        firstBytes_[1] = !options.matchCase && isAsciiLetter(first) ? static_cast<unsigned char>(first ^ 0x20) : first;
    }

    // The next match at or after the position reached. The search then goes
    // on from the byte after it when matches may overlap (every match is
    // found), else from the match's end.
    std::optional<std::size_t> next(bool overlapping)
    {
        const std::size_t m = term_.size();
        if (m == 0) return std::nullopt;
        while (position_ + m <= text_.size()) {
            const std::optional<std::size_t> candidate = nextCandidate();
            if (!candidate || *candidate + m > text_.size()) break;
            const std::size_t c = *candidate;
            if (!gbk::isBoundary<gbk::CodePageRule>(p_, boundary_, c)) {
                // c is the second byte of a character, so the next one starts after it.
                boundary_ = position_ = c + 1;
                continue;
            }
            boundary_ = c;
            position_ = c + 1;
            if (termAt(c) && wholeWordAt(c)) {
                if (!overlapping) boundary_ = position_ = c + m;
                return c;
            }
        }
        position_ = text_.size();
        return std::nullopt;
    }

    std::size_t termLength() const { return term_.size(); }

private:
    // The nearest place at or after the position holding either first byte;
    // each byte's next place is kept until the position passes it.
    std::optional<std::size_t> nextCandidate()
    {
        std::optional<std::size_t> best;
        for (int k = 0; k < (firstBytes_[0] == firstBytes_[1] ? 1 : 2); ++k) {
            std::size_t& found = nextPlace_[k];
            if (found == unknown || (found != none && found < position_)) {
                const unsigned char* hit = gbk::findByte(p_ + position_, firstBytes_[k], text_.size() - position_);
                found = hit ? static_cast<std::size_t>(hit - p_) : none;
            }
            if (found != none && (!best || found < *best)) best = found;
        }
        return best;
    }

    bool termAt(std::size_t c) const
    {
        const std::size_t m = term_.size();
        if (options_.matchCase) return text_.compare(c, m, term_) == 0;
        for (std::size_t i = 0; i < m;) {
            const auto t = static_cast<unsigned char>(term_[i]);
            if (gbk::CodePageRule::leads(t)) {
                // A double-byte character, which has no case: both bytes as they are.
                if (p_[c + i] != t || p_[c + i + 1] != static_cast<unsigned char>(term_[i + 1])) return false;
                i += 2;
            } else {
                if (asciiLower(p_[c + i]) != asciiLower(t)) return false;
                ++i;
            }
        }
        return true;
    }

    bool wholeWordAt(std::size_t c) const
    {
        if (!options_.wholeWord) return true;
        const std::size_t end = c + term_.size();
        // After a match of whole characters a character starts: a byte below
        // 0x80 there is one of its own.
        if (end < text_.size() && isWordByte(p_[end])) return false;
        // Before it, a byte below 0x80 may be the second byte of a character.
        return c == 0 || !isWordByte(p_[c - 1]) || !gbk::isBoundary<gbk::CodePageRule>(p_, 0, c - 1);
    }

    static constexpr std::size_t unknown = static_cast<std::size_t>(-1);
    static constexpr std::size_t none = static_cast<std::size_t>(-2);

    std::string_view text_;
    std::string_view term_;
    SearchOptions options_;
    const unsigned char* p_;
    std::size_t position_;
    std::size_t boundary_ = 0; // a known character start at or before the position
    unsigned char firstBytes_[2] = {};
    std::size_t nextPlace_[2] = {unknown, unknown};
};

} // namespace

std::string_view searchableTerm(std::string_view term)
{
    return term.substr(0, gbk::wholeLength<gbk::CodePageRule>(term));
}

std::optional<std::size_t> findForward(std::string_view text, std::string_view term, std::size_t from,
                                       SearchOptions options)
{
    if (from > text.size()) return std::nullopt;
    return MatchScanner(text, term, from, options).next(true);
}

std::optional<std::size_t> findBackward(std::string_view text, std::string_view term, std::size_t before,
                                        SearchOptions options)
{
    MatchScanner scanner(text, term, 0, options);
    std::optional<std::size_t> last;
    while (const std::optional<std::size_t> match = scanner.next(true)) {
        if (*match >= before) break;
        last = match;
    }
    return last;
}

std::optional<std::size_t> findWrapping(std::string_view text, std::string_view term, std::size_t from, bool forward,
                                        SearchOptions options)
{
    if (forward) {
        if (std::optional<std::size_t> match = findForward(text, term, from, options)) return match;
        return findForward(text, term, 0, options);
    }
    if (std::optional<std::size_t> match = findBackward(text, term, from, options)) return match;
    return findBackward(text, term, text.size() + 1, options);
}

Replacement replaceAll(std::string_view text, std::string_view term, std::string_view replacement,
                       SearchOptions options)
{
    Replacement result;
    MatchScanner scanner(text, term, 0, options);
    const std::size_t m = scanner.termLength();
    std::size_t copied = 0;
    while (const std::optional<std::size_t> match = scanner.next(false)) {
        if (result.offsets.empty()) result.text.reserve(text.size() + (replacement.size() > m ? text.size() / 8 : 0));
        result.text.append(text, copied, *match - copied);
        result.text.append(replacement);
        result.offsets.push_back(*match);
        copied = *match + m;
    }
    if (result.offsets.empty()) return result;
    result.text.append(text, copied, text.size() - copied);
    return result;
}

} // namespace wrivo
