// What the modeless tool windows beside the main window (the chapter list,
// the publishing check) share: they hide with their owner when Esc hides it,
// and come back with it.
#pragma once
#include <windows.h>

namespace wrivo {

// `State` has the tool window (`dialog`, null while closed), whether its
// owner is hidden now (`ownerHidden`, so that a window opened then starts
// hidden) and whether it was hidden because its owner was (`hiddenWithOwner`).
template <typename State>
void followOwnerVisibility(State& state, bool visible)
{
    state.ownerHidden = !visible;
    if (!state.dialog) return;
    if (!visible && IsWindowVisible(state.dialog)) {
        ShowWindow(state.dialog, SW_HIDE);
        state.hiddenWithOwner = true;
    } else if (visible && state.hiddenWithOwner) {
        ShowWindow(state.dialog, SW_SHOWNOACTIVATE);
        state.hiddenWithOwner = false;
    }
}

} // namespace wrivo
