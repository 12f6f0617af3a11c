// 转为繁体 (F7) and 转为简体 (Shift+F7): the selection, or the whole text when
// nothing is selected, converted as one step of the history.
#include "app/command_handlers.h"
#include "app/document.h"
#include "app/notices.h"
#include "app/writing_desk.h"
#include "services/store/writing_store.h"
#include "services/writing/chinese_convert.h"

namespace wrivo {
namespace {

void convertDocument(ChineseScript to)
{
    writing::tellPending();
    DocumentModel& doc = document();
    doc.confirm(); // the changed stretch goes into the box from the snapshot
    const std::shared_ptr<const std::string> text = doc.sharedText();
    const EditRange selection = doc.selection();
    const bool selected = selection.length > 0;
    const auto start = selected ? static_cast<std::size_t>(selection.start) : 0;
    const std::size_t length = selected ? static_cast<std::size_t>(selection.length) : text->size();
    // Read at each command, so that a hand-edited writing.txt applies at once.
    const TraditionalForms forms = readWritingSettings().value_or(WritingSettings{}).traditional;
    const ChineseConversion result = convertChinese(std::string_view(*text).substr(start, length), to, forms);
    if (result.changed > 0) {
        const std::size_t from = start + result.from;
        doc.replaceRange({static_cast<std::int32_t>(from), static_cast<std::int32_t>(result.sourceEnd - result.from)},
                         std::string_view(result.text).substr(result.from, result.textEnd - result.from),
                         ChangeCause::convert);
        // The selection stays on the converted text; a caret stays between
        // the same characters, which nearly always keep their size (else it
        // goes to the start of what changed).
        const auto grown = static_cast<std::int32_t>(result.textEnd - result.sourceEnd);
        const auto caret = static_cast<std::size_t>(selection.start);
        if (selected)
            doc.select({selection.start, selection.length + grown});
        else if (caret >= result.sourceEnd || caret <= from || grown == 0)
            doc.select({selection.start + (caret >= result.sourceEnd ? grown : 0), 0});
        else
            doc.select({static_cast<std::int32_t>(from), 0});
    }
    tell(notices::chineseConverted(result.changed, result.keptForGbk));
    writing::tellPending();
}

} // namespace

std::optional<std::int32_t> handlers::toTraditional(const EventArguments&)
{
    convertDocument(ChineseScript::traditional);
    return std::nullopt;
}

std::optional<std::int32_t> handlers::toSimplified(const EventArguments&)
{
    convertDocument(ChineseScript::simplified);
    return std::nullopt;
}

} // namespace wrivo
