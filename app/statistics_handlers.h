// The handlers that keep the caption's counts and the count strip up to date,
// select a paragraph from its row, and clear the document.
#pragma once
#include <cstdint>
#include <optional>

#include <memory>

#include "app/command_handlers.h"
#include "app/document_model.h"
#include "host/host_types.h"

namespace wrivo {

// Rewrites rows 0 to N-1 of the count strip in place; rows beyond N stay.
void refreshParagraphRows();

// The caption's counts and the count strip, following the document.
std::unique_ptr<DocumentWatcher> watchCaptionAndRows(const DocumentModel& model);

namespace handlers {
std::optional<std::int32_t> refreshStatistics(const EventArguments& arguments);
// Enter and Backspace keep the line-break count; Esc hides the window.
std::optional<std::int32_t> editBoxKeyDown(const EventArguments& arguments);
std::optional<std::int32_t> selectParagraph(const EventArguments& arguments);
} // namespace handlers

} // namespace wrivo
