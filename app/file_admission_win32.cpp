#include "app/file_admission.h"

#include "app/notices.h"
#include "services/dialogs/message_box.h"
#include "services/text/code_page.h"
#include "services/text/file_checks.h"
#include "services/text/gbk_conversion.h"

namespace wrivo {
bool admitFilePath(std::string_view path)
{
    // Reading NUL gives nothing and reading CON waits for a console that is
    // not there: neither is a file the user meant.
    if (!isReservedDeviceName(path)) return true;
    tell(fileNotices::deviceName(path));
    return false;
}

std::optional<std::string> admitFileText(std::string_view path, std::vector<std::uint8_t> bytes)
{
    std::string text(bytes.begin(), bytes.end());
    bytes = {};

    // UTF-16 is full of zero bytes and UTF-8 shows as mojibake: converted,
    // the text is GBK, so the old notice about non-GBK bytes does not apply.
    const TextEncoding encoding = detectEncoding(text);
    if (encoding != TextEncoding::gbk) {
        GbkConversion conversion = convertToGbk(text, encoding);
        if (!ask(fileNotices::otherEncoding(path, encoding, conversion.unrepresentable))) return std::nullopt;
        text = std::move(conversion.text);
    }

    // The edit box's text ends at a zero byte; what follows would be lost
    // by the next save.
    if (const std::optional<ZeroByteTail> tail = zeroByteTail(text)) {
        if (!ask(fileNotices::zeroBytes(path, tail->position, tail->length))) return std::nullopt;
        text.resize(tail->position);
    }

    // Lone LFs (Unix) and CRs (old Mac) are line ends the edit box does not
    // see; made "\r\n" they give the paragraphs the writer meant. A long line
    // keeps the program busy for minutes while the edit box lays it out.
    LineShape lines = measureLines(text);
    if (lines.loneBreaks) {
        if (!ask(fileNotices::loneLineBreaks(path, lines.longestLine))) return std::nullopt;
        text = withCrLfBreaks(text);
        lines = measureLines(text);
    }
    if (lines.longestLine > longestQuickLine && !ask(fileNotices::longLine(path, lines.longestLine)))
        return std::nullopt;

    // Bytes the edit box cannot show as GBK text come back from it as "?"
    // with a neighbour lost; a later save writes that back. Say so first.
    if (encoding == TextEncoding::gbk && !isCodePageText(text)) tell(fileNotices::notGbk(path));
    return text;
}

} // namespace wrivo
