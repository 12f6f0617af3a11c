#include "services/text/text.h"
#include "services/text/gbk_scan.h"
#include "services/text/gbk_scan_sse2.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace wrivo {

std::int32_t textLength(std::string_view text)
{
    return static_cast<std::int32_t>(text.size());
}

std::string concatTexts(std::initializer_list<std::string_view> parts)
{
    std::size_t total = 0;
    for (std::string_view part : parts) total += part.size();
    std::string joined;
    joined.reserve(total);
    for (std::string_view part : parts) joined.append(part);
    return joined;
}

std::int32_t compareBytes(std::string_view a, std::string_view b)
{
    // memcmp compares as unsigned char, which is what texts need.
    std::size_t common = std::min(a.size(), b.size());
    int c = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
    if (c != 0) return c < 0 ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

namespace {

// The character at `at` as one ordered number, moving `at` past it; -1 at the end
// (which an unpartnered last lead byte also is). Single bytes sort below double
// ones, as their first bytes do.
int takeCharacter(std::string_view s, std::size_t& at, bool caseSensitive)
{
    if (at >= s.size()) return -1;
    auto c = static_cast<unsigned char>(s[at]);
    if (gbk::CountRule::leads(c)) {
        if (at + 1 >= s.size()) return -1;
        auto trail = static_cast<unsigned char>(s[at + 1]);
        at += 2;
        return 0x10000 | c << 8 | trail;
    }
    ++at;
    if (!caseSensitive && c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
    return c;
}

} // namespace

std::int32_t compareText(std::string_view a, std::string_view b, bool caseSensitive)
{
    std::size_t i = 0, j = 0;
    for (;;) {
        int x = takeCharacter(a, i, caseSensitive);
        int y = takeCharacter(b, j, caseSensitive);
        if (x != y) return x < y ? -1 : 1;
        if (x < 0) return 0;
    }
}

std::string removeAllSpaces(std::string_view text)
{
    std::string kept(text.size(), '\0');
    char* out = kept.data();
    unsigned spill = 0; // a full-width space's second byte that falls into the next block
    std::size_t end = gbk::scanSpaceBlocks(text, [&](std::size_t offset, unsigned single, unsigned wide) {
        const char* in = text.data() + offset;
        unsigned drop = single | wide | wide << 1 | spill;
        spill = wide >> (gbk::wordBytes - 1);
        std::size_t length = std::min<std::size_t>(gbk::wordBytes, text.size() - offset);
        if (drop == 0 && length == gbk::wordBytes) {
            std::memcpy(out, in, gbk::wordBytes);
            out += gbk::wordBytes;
            return;
        }
        for (std::size_t j = 0; j < length; ++j) {
            if (!(drop >> j & 1)) *out++ = in[j];
        }
    });
    if (end < text.size()) --out; // the unpartnered lead byte, which was no space
    kept.resize(static_cast<std::size_t>(out - kept.data()));
    return kept;
}

std::size_t nonSpaceLength(std::string_view text)
{
    return gbk::nonSpaceLength(text);
}

PieceScanner::PieceScanner(std::string_view text, std::string_view delimiter, std::optional<std::int32_t> maxCount)
    : text_(text),
      delimiter_(delimiter),
      piecesLeft_(maxCount ? static_cast<std::size_t>(std::max(*maxCount, 0)) : std::numeric_limits<std::size_t>::max())
{
    done_ = text.empty() || piecesLeft_ == 0;
}

bool PieceScanner::next(std::string_view& piece)
{
    if (done_) return false;
    const std::size_t n = text_.size();
    const std::size_t m = delimiter_.size();
    if (m == 0) {
        done_ = true;
        piece = text_;
        return true;
    }
    const unsigned char* p = gbk::bytes(text_);
    std::size_t at = searchFrom_; // always a character boundary
    while (n - at >= m) {
        // Jump to the next byte that could start the delimiter, then make sure
        // it starts a character and not the second half of one.
        const unsigned char* hit = gbk::findByte(p + at, static_cast<unsigned char>(delimiter_[0]), n - m + 1 - at);
        if (!hit) break;
        std::size_t k = static_cast<std::size_t>(hit - p);
        if (!gbk::isBoundary<gbk::CountRule>(p, at, k)) {
            at = k + 1;
            continue;
        }
        if (std::memcmp(p + k, delimiter_.data(), m) == 0) {
            piece = text_.substr(pieceStart_, k - pieceStart_);
            pieceStart_ = searchFrom_ = k + m;
            done_ = --piecesLeft_ == 0;
            return true;
        }
        std::size_t width = gbk::CountRule::leads(p[k]) ? 2 : 1;
        if (k + width > n) {
            at = k; // an unpartnered lead byte ends the scan
            break;
        }
        at = k + width;
    }
    done_ = true;
    std::size_t end = gbk::isBoundary<gbk::CountRule>(p, at, n) ? n : n - 1;
    if (pieceStart_ >= end) return false;
    piece = text_.substr(pieceStart_, end - pieceStart_);
    return true;
}

std::vector<std::string_view> splitViews(std::string_view text, std::string_view delimiter,
                                         std::optional<std::int32_t> maxCount)
{
    std::vector<std::string_view> pieces;
    PieceScanner scanner(text, delimiter, maxCount);
    std::string_view piece;
    while (scanner.next(piece)) pieces.push_back(piece);
    return pieces;
}

std::vector<std::string> splitText(std::string_view text, std::string_view delimiter,
                                   std::optional<std::int32_t> maxCount)
{
    std::vector<std::string> pieces;
    PieceScanner scanner(text, delimiter, maxCount);
    std::string_view piece;
    while (scanner.next(piece)) pieces.emplace_back(piece);
    return pieces;
}

std::string spaces(std::int32_t n)
{
    return n < 1 ? std::string() : std::string(static_cast<std::size_t>(n), ' ');
}

} // namespace wrivo
