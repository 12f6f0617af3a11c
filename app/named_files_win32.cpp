#include "app/named_files.h"

#include "app/document_commands.h"
#include "app/notices.h"
#include "host/host.h"
#include "services/dialogs/message_box.h"
#include "services/text/code_page.h"

namespace wrivo {
namespace {

// The name in the code page the file functions take, or nothing after a
// notice when a character of it has no spelling there: a look-alike could
// name another file, and "?" names none.
std::optional<std::string> spelledPath(std::wstring_view name)
{
    CodePageName spelled = toCodePageName(name);
    if (spelled.exact) return std::move(spelled.text);
    tell(notices::fileNameOutsideCodePage(spelled.text));
    return std::nullopt;
}

} // namespace

void openCommandLineFile(const std::vector<std::wstring>& arguments)
{
    if (arguments.empty()) return;
    if (std::optional<std::string> path = spelledPath(arguments.front())) openFileAsDocument(*path);
}

std::optional<std::int32_t> handlers::openDroppedFile(const EventArguments&)
{
    const std::vector<std::wstring>& names = droppedFiles();
    if (names.empty()) return std::nullopt;
    std::optional<std::string> path = spelledPath(names.front());
    if (path && mayReplaceDocument()) openFileAsDocument(*path);
    return std::nullopt;
}

} // namespace wrivo
