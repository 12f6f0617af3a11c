// What the modeless tool windows beside the main window (the chapter list,
// the publishing check) share: they hide with their owner when Esc hides it,
// come back with it, and give the focus back to it when they close.
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

// Shows the window just filled, with the focus in `focus`, unless its owner
// is hidden now: then it comes up when its owner does. Answers whether it
// was shown.
template <typename State>
bool showUnlessOwnerHidden(State& state, HWND focus)
{
    if (state.ownerHidden) {
        state.hiddenWithOwner = true;
        return false;
    }
    ShowWindow(state.dialog, SW_SHOW);
    SetFocus(focus);
    return true;
}

// Destroys the window once `forget` has let it go; when it held the focus,
// its owner takes it, as an owner hands the focus on when it is activated.
template <typename Forget>
void destroyToolWindow(HWND dialog, Forget&& forget)
{
    const HWND owner = GetWindow(dialog, GW_OWNER);
    const HWND focus = GetFocus();
    const bool hadFocus = focus && (focus == dialog || IsChild(dialog, focus));
    forget();
    DestroyWindow(dialog);
    if (hadFocus && IsWindow(owner)) SetFocus(owner);
}

} // namespace wrivo
