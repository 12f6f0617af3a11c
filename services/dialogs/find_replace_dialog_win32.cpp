#include "services/dialogs/find_replace_dialog.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstring>

#include "host/message_loop.h"
#include "services/controls/control_operations.h"
#include "services/text/gbk_scan.h"

namespace wrivo {
namespace {

constexpr UINT_PTR ownerSubclassId = 0x46494E44; // "FIND"

// The dialog reads and writes this structure and its buffers for as long as
// it is open (FINDREPLACE's contract), so they live here, not on a stack.
struct OpenDialog {
    FINDREPLACEA request{};
    char findWhat[longestFindTerm + 1] = {};
    char replaceWith[longestFindTerm + 1] = {};
    HWND dialog = nullptr;
    HWND owner = nullptr;
    bool replacing = false;
    FindListener listener = nullptr;
};

OpenDialog& openDialog()
{
    static OpenDialog state;
    return state;
}

UINT findMessage()
{
    static const UINT message = RegisterWindowMessageA(FINDMSGSTRINGA);
    return message;
}

void copyTerm(char (&buffer)[longestFindTerm + 1], std::string_view text)
{
    const std::string_view fitted =
        text.substr(0, gbk::wholeLength<gbk::CodePageRule>(text.substr(0, longestFindTerm)));
    std::memset(buffer, 0, sizeof buffer);
    std::memcpy(buffer, fitted.data(), fitted.size());
}

LRESULT CALLBACK ownerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR);

// The dialog has gone (or is going): its keys no longer need the loop, and
// the owner no longer needs listening to.
void forgetDialog()
{
    OpenDialog& state = openDialog();
    if (state.dialog) MessageLoop::removeModelessDialog(state.dialog);
    if (state.owner) RemoveWindowSubclass(state.owner, ownerProcedure, ownerSubclassId);
    state.dialog = nullptr;
    state.owner = nullptr;
}

void passOn(const FINDREPLACEA& request)
{
    OpenDialog& state = openDialog();
    FindRequest passed;
    if (request.Flags & FR_REPLACEALL)
        passed.action = FindRequest::Action::replaceAll;
    else if (request.Flags & FR_REPLACE)
        passed.action = FindRequest::Action::replace;
    passed.term = state.findWhat;
    passed.replacement = state.replaceWith;
    passed.down = state.replacing || (request.Flags & FR_DOWN) != 0;
    passed.matchCase = (request.Flags & FR_MATCHCASE) != 0;
    passed.wholeWord = (request.Flags & FR_WHOLEWORD) != 0;
    if (state.listener) state.listener(passed);
}

// The dialog tells its owner through the registered FINDMSGSTRING message.
LRESULT CALLBACK ownerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == findMessage() && lParam) {
        const auto& request = *reinterpret_cast<const FINDREPLACEA*>(lParam);
        if (request.Flags & FR_DIALOGTERM) {
            forgetDialog();
        } else if (request.Flags & (FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL)) {
            passOn(request);
        }
        return 0;
    }
    if (message == WM_NCDESTROY) {
        forgetDialog();
        RemoveWindowSubclass(window, ownerProcedure, ownerSubclassId);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void open(const UnitRef& ownerRef, const FindRequest& start, FindListener listener, bool replacing)
{
    OpenDialog& state = openDialog();
    state.listener = listener;
    if (state.dialog && IsWindow(state.dialog)) {
        if (state.replacing == replacing) {
            SetActiveWindow(state.dialog);
            return;
        }
        const HWND other = state.dialog;
        forgetDialog();
        DestroyWindow(other);
    }
    const auto owner = reinterpret_cast<HWND>(windowHandle(ownerRef));
    copyTerm(state.findWhat, start.term);
    copyTerm(state.replaceWith, start.replacement);
    state.request = {};
    state.request.lStructSize = sizeof state.request;
    state.request.hwndOwner = owner;
    state.request.Flags =
        (start.down ? FR_DOWN : 0) | (start.matchCase ? FR_MATCHCASE : 0) | (start.wholeWord ? FR_WHOLEWORD : 0);
    state.request.lpstrFindWhat = state.findWhat;
    state.request.wFindWhatLen = sizeof state.findWhat;
    state.request.lpstrReplaceWith = state.replaceWith;
    state.request.wReplaceWithLen = sizeof state.replaceWith;
    state.replacing = replacing;
    SetWindowSubclass(owner, ownerProcedure, ownerSubclassId, 0);
    state.owner = owner;
    state.dialog = replacing ? ReplaceTextA(&state.request) : FindTextA(&state.request);
    if (state.dialog)
        MessageLoop::addModelessDialog(state.dialog);
    else
        forgetDialog();
}

} // namespace

void openFindDialog(const UnitRef& owner, const FindRequest& start, FindListener listener)
{
    open(owner, start, listener, false);
}

void openReplaceDialog(const UnitRef& owner, const FindRequest& start, FindListener listener)
{
    open(owner, start, listener, true);
}

} // namespace wrivo
