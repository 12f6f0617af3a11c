#include "app/commands.h"

#include "app/document.h"

#include "app/main_window.h"
#include "app/maker_info.h"
#include "app/notices.h"
#include "app/start_window.h"
#include "app/units.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "host/window_properties.h"
#include "services/controls/control_operations.h"
#include "services/controls/edit_box_operations.h"
#include "services/dialogs/chapter_list_window.h"
#include "services/dialogs/message_box.h"
#include "services/dialogs/publish_check_window.h"
#include "services/dialogs/window_effects.h"
#include "services/text/datetime.h"
#include "services/text/text.h"

namespace wrivo {
namespace {

// The window stays faintly visible (about 5 %) so that a click finds it again.
constexpr std::int32_t hiddenAlpha = 6;
constexpr std::int32_t shownAlpha = 255;

std::optional<std::int32_t> show(const Notice& notice)
{
    tell(notice);
    return std::nullopt;
}

std::optional<std::int32_t> openPartnerSite(std::size_t index)
{
    openWebPage(maker::partnerSitePages[index]);
    return std::nullopt;
}

} // namespace

void hideWindow()
{
    editBox.setDisabled(true);
    setFocus(mainWindowRef);
    mainWindow.setTopmost(true);
    setWindowTransparency(windowHandle(mainWindowRef), hiddenAlpha);
    setChapterListVisible(false);
    setFindingsVisible(false);
}

void showWindow()
{
    setWindowTransparency(windowHandle(mainWindowRef), shownAlpha);
    setChapterListVisible(true);
    setFindingsVisible(true);
    mainWindow.setTopmost(false);
    editBox.setDisabled(false);
    setFocus(editBoxRef);
}

std::optional<std::int32_t> handlers::mainWindowKeyDown(const EventArguments& arguments)
{
    if (arguments[0] == escapeKey) showWindow();
    return std::nullopt;
}

// The date and time, two spaces either side, at the end of the document.
std::optional<std::int32_t> handlers::insertDateTime(const EventArguments&)
{
    document().appendAtEnd(concatTexts("  ", toText(Value{now()}), "  "));
    return std::nullopt;
}

std::optional<std::int32_t> handlers::hideNotice(const EventArguments&)
{
    return show(notices::hide());
}
std::optional<std::int32_t> handlers::helpNotice(const EventArguments&)
{
    return show(notices::help());
}
std::optional<std::int32_t> handlers::advertisingNotice(const EventArguments&)
{
    return show(notices::advertising());
}
std::optional<std::int32_t> handlers::feedbackNotice(const EventArguments&)
{
    return show(notices::feedback());
}
std::optional<std::int32_t> handlers::authorNotice(const EventArguments&)
{
    return show(notices::author());
}

std::optional<std::int32_t> handlers::openUpdatePage(const EventArguments&)
{
    openWebPage(maker::homePage);
    return std::nullopt;
}

std::optional<std::int32_t> handlers::openPartnerSite1(const EventArguments&)
{
    return openPartnerSite(0);
}
std::optional<std::int32_t> handlers::openPartnerSite2(const EventArguments&)
{
    return openPartnerSite(1);
}
std::optional<std::int32_t> handlers::openPartnerSite3(const EventArguments&)
{
    return openPartnerSite(2);
}
std::optional<std::int32_t> handlers::openPartnerSite4(const EventArguments&)
{
    return openPartnerSite(3);
}

} // namespace wrivo
