// Whether a file holds a given text, read in pieces: a document far larger
// than any file read whole can still be compared with its file.
//
//   FileTextMatch match(document);
//   if (!match.sizeCanMatch(size)) return false;  // too short to hold it
//   while (match.feed(nextPiece())) {}
//   return match.matches();
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace wrivo {

// The file's text is its bytes up to the first zero byte; it matches when
// compareText(text, fileText, caseSensitive = true) would answer 0, that is
// when both have the same bytes once a lone lead byte at the end of either
// is set aside (such a byte ends a text the way its end does).
class FileTextMatch {
public:
    explicit FileTextMatch(std::string_view text);

    // False when a file of this many bytes cannot hold the text.
    bool sizeCanMatch(std::uint64_t fileSize) const;
    // Takes the next piece of the file; false once the outcome is known, so
    // no more pieces are needed.
    bool feed(std::span<const std::uint8_t> piece);
    // After the last piece (or once feed answered false).
    bool matches() const;

private:
    std::string_view expected_;  // the text without a lone lead byte at its end
    std::uint64_t matched_ = 0;  // bytes of expected_ met so far
    bool loneLeadAfter_ = false; // one lead byte followed all of expected_
    bool differs_ = false;
    bool ended_ = false; // the file's zero byte was met
};

} // namespace wrivo

namespace wrivo {

// Whether the file at `path` holds `text` as its text (see FileTextMatch),
// compared by size first and then in pieces, whatever the file's size. A file
// that cannot be read holds the empty text.
//
// The file is opened as a whole-file read opens it, so that both agree on a
// file another program holds open for writing; `besideSaves` opens it
// sharing everything instead, for a check that runs on another thread while
// the user may save over the file (the save must not fail for it).
bool fileHoldsText(std::string_view path, std::string_view text, bool besideSaves = false);

} // namespace wrivo
