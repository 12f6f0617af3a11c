#include "app/statistics_handlers.h"

#include <windows.h>

#include "app/app_globals.h"
#include "app/commands.h"
#include "app/editing_commands.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/recovery.h"
#include "app/start_window.h"
#include "host/host.h"
#include "host/window_properties.h"
#include "services/control_operations.h"
#include "services/edit_box_operations.h"
#include "services/message_box.h"
#include "services/unit_properties.h"

namespace wrivo {
namespace {

constexpr std::int32_t enterKey = 13;
constexpr std::int32_t backspaceKey = 8;

DocumentStatistics& statistics()
{
    return appGlobals()->statistics;
}

void setCaption(std::string caption)
{
    writeProperty(mainWindowRef, WindowProperty::caption, std::move(caption));
}

} // namespace

// Row k takes paragraph k's count; rows beyond the last paragraph, left from
// a longer document, stay as they were.
void refreshParagraphRows()
{
    const DocumentStatistics& stats = statistics();
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(stats.paragraphCount()));
    for (std::int32_t k = 0; k < stats.paragraphCount(); ++k)
        texts.push_back(stats.rowText(static_cast<std::size_t>(k)));
    rewriteItems(listBoxRef, std::move(texts));
}

std::optional<std::int32_t> handlers::refreshStatistics(const EventArguments&)
{
    const std::shared_ptr<const std::string> before = statistics().document();
    statistics().refresh(documentText());
    recordDocumentChange(*before, *statistics().document());
    setCaption(statistics().caption());
    recovery::documentChanged();
    return std::nullopt;
}

std::optional<std::int32_t> handlers::editBoxKeyDown(const EventArguments& arguments)
{
    switch (arguments[0]) {
    case escapeKey: hideWindow(); break;
    case enterKey:
        statistics().enterPressed();
        refreshParagraphRows();
        break;
    case backspaceKey: statistics().backspacePressed(); break;
    }
    return std::nullopt;
}

std::optional<std::int32_t> handlers::selectParagraph(const EventArguments&)
{
    const std::vector<std::int32_t> rows = selectedIndexes(listBoxRef);
    if (rows.empty()) return std::nullopt;
    const std::optional<ByteSelection> selection = statistics().paragraphSelection(rows.front());
    if (!selection) return std::nullopt; // a row left from a longer document
    writeProperty(editBoxRef, EditBoxProperty::selectionStart, std::int64_t{selection->start});
    writeProperty(editBoxRef, EditBoxProperty::selectionLength, std::int64_t{selection->length});
    setFocus(editBoxRef);
    return std::nullopt;
}

std::optional<std::int32_t> handlers::clearText(const EventArguments&)
{
    recovery::shelveUnsavedDocument();
    writeProperty(editBoxRef, EditBoxProperty::content, std::string());
    statistics().resetLineBreaks();
    clearList(listBoxRef);
    setCaption(clearedCaption);
    return std::nullopt;
}

std::optional<std::int32_t> handlers::countReport(const EventArguments&)
{
    tell(notices::count());
    return std::nullopt;
}

} // namespace wrivo
