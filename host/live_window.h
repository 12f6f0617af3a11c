// A loaded window: its live copy of the stored units, its native window, menu
// bar and accelerator table, and the state of its showing and closing. It is
// the window object of its native window: window messages become its events
// here, and it pre-translates the messages of its controls.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "host/unit_kind.h"
#include "host/window_object.h"

namespace wrivo {

// The host's own close request: closes without asking may-close.
inline constexpr UINT privateCloseRequest = WM_APP + 0x101;

class LiveWindow : public WindowObject {
public:
    explicit LiveWindow(std::uint32_t id) : id(id) {}
    ~LiveWindow() override;

    std::uint32_t id;
    std::vector<std::unique_ptr<LiveUnit>> units; // units[0]: the window's own unit
    HMENU menu = nullptr;
    HACCEL accelerators = nullptr;
    bool notYetShown = false;
    bool modal = false;
    bool modalLoopRunning = false;
    bool closing = false;
    bool firstActivationRaised = false;
    bool idleWanted = true;
    std::vector<std::pair<HWND, bool>> disabledWindows;

    LiveUnit& windowUnit() { return *units[0]; }
    WindowSettings& settings();
    // Units still part of the window (removed controls are skipped).
    LiveUnit* unitById(std::uint32_t unitId);
    LiveUnit* unitByHandle(HWND window);
    LiveUnit* menuEntryByCommand(int command);
    std::vector<LiveUnit*> menuEntries();

    void rebuildMenuBar();
    void reenableDisabledWindows();
    // The visible, enabled tab-stop unit with the smallest tab order.
    LiveUnit* firstFocusUnit();
    // A window that handles dropped files takes them from the shell.
    bool acceptsDrops();

    bool preTranslate(MSG& message) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void windowGone() override;

private:
    bool translateDialogKey(MSG& message, LiveUnit* focused);
    bool raiseInputEvent(MSG& message);
    EventOutcome raiseWindowEvent(int event, const EventArguments& arguments = {});
    void raiseFilesDropped(HDROP drop);
    void keepAcceptingDrops(STYLESTRUCT& change);
};

// The unit tied to one of the host's controls (through its subclass), or null.
LiveUnit* liveUnitOfControl(HWND control);
// Ties a unit to its native control (subclass) so that its messages reach the host.
void tieUnitToControl(LiveUnit& unit);

// Builds the menu bar and accelerator table for a window's menu entries.
void buildMenuBar(const std::vector<LiveUnit*>& entries, HMENU& menu, HACCEL& accelerators);

} // namespace wrivo
