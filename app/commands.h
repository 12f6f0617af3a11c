// The commands of the menu bar that no document or appearance rule owns:
// the notices, the date and time, hiding and showing the window with Esc, and
// the web pages.
#pragma once
#include <cstdint>
#include <optional>

#include "host/host_types.h"

namespace wrivo {

// Esc in the edit box: the window turns nearly transparent, stays on top, and
// the editor is disabled. Esc on the main window shows it again.
void hideWindow();
void showWindow();

namespace handlers {
std::optional<std::int32_t> mainWindowKeyDown(const EventArguments& arguments);
// The date and time, two spaces either side, at the end of the document.
std::optional<std::int32_t> insertDateTime(const EventArguments& arguments);
std::optional<std::int32_t> hideNotice(const EventArguments& arguments);
std::optional<std::int32_t> helpNotice(const EventArguments& arguments);
std::optional<std::int32_t> advertisingNotice(const EventArguments& arguments);
std::optional<std::int32_t> feedbackNotice(const EventArguments& arguments);
std::optional<std::int32_t> authorNotice(const EventArguments& arguments);
std::optional<std::int32_t> openUpdatePage(const EventArguments& arguments);
std::optional<std::int32_t> openPartnerSite1(const EventArguments& arguments);
std::optional<std::int32_t> openPartnerSite2(const EventArguments& arguments);
std::optional<std::int32_t> openPartnerSite3(const EventArguments& arguments);
std::optional<std::int32_t> openPartnerSite4(const EventArguments& arguments);
} // namespace handlers

} // namespace wrivo
