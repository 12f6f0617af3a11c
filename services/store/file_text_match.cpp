#include "services/store/file_text_match.h"

#include "services/text/gbk_scan.h"

#include <cstring>

namespace wrivo {

namespace {

// The text without its last byte when that byte is a lead byte with no
// trail. The bytes of 0x80 and up at the end pair up from the last byte
// below 0x80 (which always ends a character), so an odd run ends alone.
std::string_view withoutLoneLead(std::string_view text)
{
    std::size_t run = 0;
    while (run < text.size() && gbk::CountRule::leads(static_cast<unsigned char>(text[text.size() - 1 - run]))) ++run;
    if (run % 2 == 1) text.remove_suffix(1);
    return text;
}

} // namespace

FileTextMatch::FileTextMatch(std::string_view text) : expected_(withoutLoneLead(text)) { }

bool FileTextMatch::sizeCanMatch(std::uint64_t fileSize) const
{
    return fileSize >= expected_.size();
}

bool FileTextMatch::feed(std::span<const std::uint8_t> piece)
{
    if (differs_ || ended_) return false;
    const auto* zero = static_cast<const std::uint8_t*>(std::memchr(piece.data(), 0, piece.size()));
    if (zero) {
        piece = piece.first(static_cast<std::size_t>(zero - piece.data()));
        ended_ = true;
    }
    const std::uint64_t left = expected_.size() - matched_;
    const std::size_t common = piece.size() < left ? piece.size() : static_cast<std::size_t>(left);
    if (common > 0 && std::memcmp(piece.data(), expected_.data() + matched_, common) != 0) {
        differs_ = true;
        return false;
    }
    matched_ += common;
    // Past the text only one lead byte may follow, the file's text ending there.
    for (std::size_t i = common; i < piece.size(); ++i) {
        if (loneLeadAfter_ || !gbk::CountRule::leads(piece[i])) {
            differs_ = true;
            return false;
        }
        loneLeadAfter_ = true;
    }
    return !ended_;
}

bool FileTextMatch::matches() const
{
    return !differs_ && matched_ == expected_.size();
}

} // namespace wrivo
