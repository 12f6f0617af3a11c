#include "app/statistics_handlers.h"

#include <windows.h>

#include "app/app_globals.h"
#include "app/commands.h"
#include "app/document.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/start_window.h"
#include "app/units.h"
#include "host/host.h"
#include "host/window_properties.h"
#include "services/controls/control_operations.h"
#include "services/controls/edit_box_operations.h"
#include "services/controls/unit_properties.h"
#include "services/dialogs/message_box.h"

namespace wrivo {
namespace {

constexpr std::int32_t enterKey = 13;
constexpr std::int32_t backspaceKey = 8;

const DocumentStatistics& statistics()
{
    return document().statistics();
}

void setCaption(std::string caption)
{
    mainWindow.setCaption(std::move(caption));
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

namespace {

// The caption follows every change, and the strip every change that is not
// the writer's typing (whose rows the Enter key rewrites).
class CaptionAndRows final : public DocumentWatcher {
public:
    explicit CaptionAndRows(const DocumentModel& model) : model_(model) { }
    void changed(const Change& change) override
    {
        switch (change.cause) {
        case ChangeCause::newDocument: clearList(listBoxRef); break;
        case ChangeCause::clear:
            clearList(listBoxRef);
            setCaption(captions::cleared);
            return;
        case ChangeCause::open:
        case ChangeCause::restore:
        case ChangeCause::append:
        case ChangeCause::replaceAll:
        case ChangeCause::tidy:
        case ChangeCause::convert: refreshParagraphRows(); break;
        default: break;
        }
        setCaption(model_.statistics().caption());
    }

private:
    const DocumentModel& model_;
};

} // namespace

std::unique_ptr<DocumentWatcher> watchCaptionAndRows(const DocumentModel& model)
{
    return std::make_unique<CaptionAndRows>(model);
}

std::optional<std::int32_t> handlers::refreshStatistics(const EventArguments&)
{
    appGlobals()->binding.contentChanged();
    return std::nullopt;
}

std::optional<std::int32_t> handlers::editBoxKeyDown(const EventArguments& arguments)
{
    switch (arguments[0]) {
    case escapeKey: hideWindow(); break;
    case enterKey:
        document().enterPressed();
        refreshParagraphRows();
        break;
    case backspaceKey: document().backspacePressed(); break;
    }
    return std::nullopt;
}

std::optional<std::int32_t> handlers::selectParagraph(const EventArguments&)
{
    const std::vector<std::int32_t> rows = selectedIndexes(listBoxRef);
    if (rows.empty()) return std::nullopt;
    const std::optional<ByteSelection> selection = statistics().paragraphSelection(rows.front());
    if (!selection) return std::nullopt; // a row left from a longer document
    editBox.setSelection(selection->start, selection->length);
    setFocus(editBoxRef);
    return std::nullopt;
}

std::optional<std::int32_t> handlers::clearText(const EventArguments&)
{
    document().discardText();
    return std::nullopt;
}

std::optional<std::int32_t> handlers::countReport(const EventArguments&)
{
    tell(notices::count());
    return std::nullopt;
}

} // namespace wrivo
