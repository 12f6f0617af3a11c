// Message boxes: the one way the editor tells the user something.
//
//   messageBox(Value{std::string("保存成功！！！")}, MessageBoxStyle::information)
//
// The box has no owner and is task-modal unless asked to be system-modal; the
// button pressed comes back as one of the MessageBoxResult codes.
#pragma once
#include "services/text/service_texts.h"
#include "services/text/value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wrivo {

// Style words, added together (they are the platform's own values).
namespace MessageBoxStyle {
constexpr std::int32_t ok = 0;
constexpr std::int32_t okCancel = 1;
constexpr std::int32_t abortRetryIgnore = 2;
constexpr std::int32_t yesNoCancel = 3;
constexpr std::int32_t yesNo = 4;
constexpr std::int32_t retryCancel = 5;
constexpr std::int32_t stop = 16;
constexpr std::int32_t question = 32;
constexpr std::int32_t exclamation = 48;
constexpr std::int32_t information = 64;
constexpr std::int32_t secondDefault = 256;
constexpr std::int32_t thirdDefault = 512;
constexpr std::int32_t systemModal = 4096;
constexpr std::int32_t taskModal = 8192;
} // namespace MessageBoxStyle

// What the user pressed.
namespace MessageBoxResult {
constexpr std::int32_t ok = 0;
constexpr std::int32_t cancel = 1;
constexpr std::int32_t abort = 2;
constexpr std::int32_t retry = 3;
constexpr std::int32_t ignore = 4;
constexpr std::int32_t yes = 5;
constexpr std::int32_t no = 6;
} // namespace MessageBoxResult

// The text a content value shows: numbers as toText writes them, a text as it
// is, a logical as "真" or "假", a date-time as its date-time text, and the
// empty text for any other kind (byte blocks, arrays, addresses, nothing).
std::string messageBoxText(const Value& content);

// The style handed to the platform: task-modal added unless system-modal.
std::uint32_t platformMessageBoxStyle(std::int32_t style);

// The result code for the platform's button identifier (IDOK = 1 ... IDNO = 7);
// anything else is 0.
std::int32_t messageBoxResultOf(int platformButton);

// Shows the box and waits for the user. The title is "信息：" when left out.
std::int32_t messageBox(const Value& content, std::int32_t style, std::optional<std::string_view> title = std::nullopt);

// The same box for a word that must be readable whatever code page the
// process runs with (the one saying it is not GBK): the GBK texts are read as
// code page 936 and shown through the Unicode function, so they do not come
// out as the look of another code page's bytes.
std::int32_t messageBoxFromGbk(std::string_view text, std::int32_t style, std::string_view title);

} // namespace wrivo
