// Files dropped on a window: the names are read from the drop in UTF-16 (so
// a name the ANSI code page cannot spell is still seen whole), the drop's
// memory goes back to the system, and the window's files-dropped event runs
// with the names at hand through droppedFiles().
#include <utility>

#include "host/host_app.h"
#include "host/scoped_win32.h"

namespace wrivo {
namespace {

std::vector<std::wstring> namesIn(HDROP drop)
{
    std::vector<std::wstring> names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // The length comes without the terminating null; the copy needs room for it.
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0) continue;
        std::wstring name(length + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), length + 1));
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

// The names of the drop being handled; those of an outer drop come back
// after it, also when a handler leaves by a run-time error thrown in a test.
class DropScope {
public:
    DropScope(HostApp& host, std::vector<std::wstring> names)
        : host_(host), outer_(host.exchangeDroppedFiles(std::move(names)))
    {
    }
    ~DropScope() { host_.exchangeDroppedFiles(std::move(outer_)); }
    DropScope(const DropScope&) = delete;
    DropScope& operator=(const DropScope&) = delete;

private:
    HostApp& host_;
    std::vector<std::wstring> outer_;
};

} // namespace

bool LiveWindow::acceptsDrops()
{
    return windowUnit().record.common.handlerFor(WindowEvent::filesDropped) >= 0;
}

// Rewriting the extended style (the transparency of Esc sets it to layered
// alone) would end the drops unnoticed: such a window keeps WS_EX_ACCEPTFILES,
// the mark DragAcceptFiles sets. WM_STYLECHANGING lets the window change the
// new style before it is applied.
void LiveWindow::keepAcceptingDrops(STYLESTRUCT& change)
{
    if (acceptsDrops()) change.styleNew |= WS_EX_ACCEPTFILES;
}

void LiveWindow::onDropFiles(HDROP drop)
{
    // The receiver of WM_DROPFILES gives the drop back (DragFinish), and the
    // handler may run dialogs for a while: the names are copies, and the drop
    // goes back before it runs.
    std::vector<std::wstring> names;
    {
        const ScopedDrop given(drop);
        names = namesIn(given.get());
    }
    if (names.empty()) return;
    EventArguments arguments;
    arguments.count = 1;
    arguments.values[0] = static_cast<std::int32_t>(names.size());
    DropScope scope(HostApp::instance(), std::move(names));
    raiseWindowEvent(WindowEvent::filesDropped, arguments);
}

const std::vector<std::wstring>& droppedFiles()
{
    return HostApp::instance().droppedFiles();
}

} // namespace wrivo
