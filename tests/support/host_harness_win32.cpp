#include "tests/support/host_harness_win32.h"

#include <array>
#include <utility>

#include "app/layout_content.h"
#include "host/host.h"
#include "host/message_loop.h"
#include "services/controls/unit_properties.h"

namespace wrivo::test {
namespace {

std::array<TestHandler, HandlerIndex::handlerCount>& actions()
{
    static std::array<TestHandler, HandlerIndex::handlerCount> table;
    return table;
}

template <int Index>
std::optional<std::int32_t> recordingHandler(const EventArguments& arguments)
{
    recordedEvents().push_back({Index, arguments, currentEventSource()});
    if (const TestHandler& action = actions()[Index]) return action(arguments);
    return std::nullopt;
}

template <std::size_t... Indexes>
std::array<EventHandler, HandlerIndex::handlerCount> makeTable(std::index_sequence<Indexes...>)
{
    return {recordingHandler<static_cast<int>(Indexes)>...};
}

} // namespace

void startRecordingHost()
{
    static bool started = false;
    if (started) return;
    started = true;
    static const std::array<EventHandler, HandlerIndex::handlerCount> table =
        makeTable(std::make_index_sequence<HandlerIndex::handlerCount>{});
    registerServiceKinds();
    startHost({layoutDataBlock(), table});
}

std::vector<RecordedEvent>& recordedEvents()
{
    static std::vector<RecordedEvent> events;
    return events;
}

int countEvents(int handler)
{
    int count = 0;
    for (const RecordedEvent& event : recordedEvents())
        if (event.handler == handler) ++count;
    return count;
}

void setHandler(int index, TestHandler action)
{
    actions()[static_cast<std::size_t>(index)] = std::move(action);
}

void resetHandlers()
{
    for (TestHandler& action : actions()) action = nullptr;
}

namespace {

void dispatchOne(MSG& message)
{
    if (!MessageLoop::preTranslate(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace

bool pumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return condition();
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue; // the loop under test is not running here
            dispatchOne(message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed < 20 ? timeoutMs - elapsed : 20,
                                      QS_ALLINPUT);
        }
    }
}

void pumpPending()
{
    MSG message;
    for (int guard = 0; guard < 10000 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++guard) {
        if (message.message == WM_QUIT) continue;
        dispatchOne(message);
    }
}

void holdModifiers(bool ctrl, bool shift)
{
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_LCONTROL] = ctrl ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_LSHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
}

void postKey(HWND target, UINT virtualKey, bool ctrl, bool shift)
{
    holdModifiers(ctrl, shift);
    UINT scan = MapVirtualKeyA(virtualKey, 0);
    LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
    PostMessageA(target, WM_KEYDOWN, virtualKey, down);
    pumpPending();
    PostMessageA(target, WM_KEYUP, virtualKey, down | (1u << 30) | (1u << 31));
    pumpPending();
    holdModifiers(false, false);
}

} // namespace wrivo::test
