// The clipboard, written whole: a GBK text as CF_TEXT and, read as code page
// 936, as CF_UNICODETEXT, so a Unicode program pasting it gets the same
// characters whatever the system's code page.
#pragma once
#include <string_view>

#include "host/host_types.h"

namespace wrivo {

// False when the clipboard could not be opened or written.
bool putTextOnClipboard(const UnitRef& owner, std::string_view gbk);

} // namespace wrivo
