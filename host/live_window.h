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

#include "host/scoped_win32.h"
#include "host/unit_kind.h"
#include "host/window_object.h"

namespace wrivo {

// The host's own close request: closes without asking may-close.
inline constexpr UINT privateCloseRequest = WM_APP + 0x101;

// A window's native menu bar and its accelerator table (both may be null).
struct MenuBar {
    ScopedMenu menu;
    ScopedAccelerators accelerators;
};

class LiveWindow : public WindowObject {
public:
    explicit LiveWindow(std::uint32_t windowId) : id(windowId) { }
    ~LiveWindow() override;

    const std::uint32_t id;

    // The live units, in stored order; units()[0] is the window's own unit.
    const std::vector<std::unique_ptr<LiveUnit>>& units() const { return units_; }
    void addUnit(std::unique_ptr<LiveUnit> unit) { units_.push_back(std::move(unit)); }
    LiveUnit& windowUnit() { return *units_[0]; }
    layout::WindowSettings& settings();
    // Units still part of the window (removed controls are skipped).
    LiveUnit* unitById(std::uint32_t unitId);
    LiveUnit* unitByHandle(HWND window);
    LiveUnit* menuEntryByCommand(int command);
    std::vector<LiveUnit*> menuEntries();

    // The menu bar and accelerators, made again from the menu entries.
    void rebuildMenuBar();
    HMENU menu() const { return menuBar_.menu.get(); }
    // The visible, enabled tab-stop unit with the smallest tab order.
    LiveUnit* firstFocusUnit();
    // A window that handles dropped files takes them from the shell.
    bool acceptsDrops();

    // Loaded and built: the window awaits its first showing.
    void markLoaded(bool modal)
    {
        modal_ = modal;
        notYetShown_ = true;
    }
    bool awaitingFirstShowing() const { return notYetShown_; }
    void markShown() { notYetShown_ = false; }
    bool modal() const { return modal_; }
    bool modalLoopRunning() const { return modalLoopRunning_; }
    void setModalLoopRunning(bool running) { modalLoopRunning_ = running; }
    // A modal window disables the other top-level windows while it is open.
    void disableWhileModal(HWND other);
    // Closing: no may-close is asked any more; disabled windows are enabled again.
    bool closing() const { return closing_; }
    void beginClosing();
    // Idle events: raised until the handler answers 0, again after new input.
    bool idleWanted() const { return idleWanted_; }
    void setIdleWanted(bool wanted) { idleWanted_ = wanted; }

    bool preTranslate(MSG& message) override;
    bool translateAccelerator(MSG& message) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void windowGone() override;

private:
    // The window's own messages, cracked.
    void onClose();
    BOOL onQueryEndSession();
    void onEndSession(bool ending);
    void onPrivateCloseRequest();
    void onDestroy();
    void onMove();
    void onSize();
    void onActivate(bool active);
    void onDropFiles(HDROP drop); // host/file_drop_win32.cpp
    void onStyleChanging(int which, STYLESTRUCT& change);
    void onShowWindow(bool shown);
    void onSetFocus();
    void onKillFocus();
    void onCommand(int command, int code, HWND from);
    HBRUSH onControlColour(HDC dc, HWND control);
    bool onDrawItem(const DRAWITEMSTRUCT& item);
    void onEraseBackground(HDC dc);

    bool translateDialogKey(MSG& message, LiveUnit* focused);
    bool raiseInputEvent(MSG& message);
    EventOutcome raiseWindowEvent(int event, const EventArguments& arguments = {});
    void keepAcceptingDrops(STYLESTRUCT& change);
    void reenableDisabledWindows();

    std::vector<std::unique_ptr<LiveUnit>> units_;
    MenuBar menuBar_;
    bool notYetShown_ = false;
    bool modal_ = false;
    bool modalLoopRunning_ = false;
    bool closing_ = false;
    bool firstActivationRaised_ = false;
    bool idleWanted_ = true;
    std::vector<std::pair<HWND, bool>> disabledWindows_;
};

// The unit tied to one of the host's controls (through its subclass), or null.
LiveUnit* liveUnitOfControl(HWND control);
// Ties a unit to its native control (subclass) so that its messages reach the host.
void tieUnitToControl(LiveUnit& unit);

// Builds the menu bar and accelerator table for a window's menu entries.
MenuBar buildMenuBar(const std::vector<LiveUnit*>& entries);

} // namespace wrivo
