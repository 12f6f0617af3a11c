// The handler of every command of app/command_table.h, declared from its
// line; the files of the commands' kin define them.
#pragma once
#include <cstdint>
#include <optional>

#include "app/command_table.h"
#include "host/host_types.h"

// clang-format off
#define WRIVO_DECLARE_afterNotices(name) std::optional<std::int32_t> name(const EventArguments& arguments);
#define WRIVO_DECLARE_whileTyping(name) std::optional<std::int32_t> name(const EventArguments& arguments);
#define WRIVO_DECLARE_byEditBox(name)
#define WRIVO_DECLARE_COMMAND(name, caption, level, shortcut, flags, runs) WRIVO_DECLARE_##runs(name)
#define WRIVO_DECLARE_NOTHING(...)
namespace wrivo::handlers {
WRIVO_HANDLERS(WRIVO_DECLARE_NOTHING, WRIVO_DECLARE_COMMAND, WRIVO_DECLARE_NOTHING)
} // namespace wrivo::handlers
#undef WRIVO_DECLARE_afterNotices
#undef WRIVO_DECLARE_whileTyping
#undef WRIVO_DECLARE_byEditBox
#undef WRIVO_DECLARE_COMMAND
#undef WRIVO_DECLARE_NOTHING
// clang-format on
