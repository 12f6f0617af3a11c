// The message loop as an object: idle processing between messages, the
// pre-translation chain (each of our windows from the target up to its
// top-level ancestor may consume a message), and a stop condition so that the
// same loop serves the main loop and the nested loops of modal windows.
#pragma once
#include <windows.h>

#include <functional>

namespace wrivo {

class MessageLoop {
public:
    // Idle step: called with the idle count while no message waits; answer
    // true to be called again before the next message.
    using IdleStep = std::function<bool(int idleCount)>;
    // Nested loops: answer true to stop before taking the next message.
    using StopCondition = std::function<bool()>;

    MessageLoop(IdleStep idle, StopCondition stop);

    // Runs until a quit request (answered with its code) or, for a nested
    // loop, until the stop condition holds or a quit request is next in the
    // queue, which is left there for the outer loop (answered with -1 then).
    int run();

    // Pre-translation through the chain of our windows; true = consumed.
    // A modeless dialog's messages go to IsDialogMessage first, so that its
    // keys (Tab, Enter, Esc) work as in any dialog.
    static bool preTranslate(MSG& message);

    // Modeless dialogs open now (the find and replace dialogs, the chapter
    // list). With `acceleratorWindow`, that window's accelerators are tried
    // first for the dialog's keys: a tool window that leaves the main
    // window's shortcuts working while it has the focus.
    static void addModelessDialog(HWND dialog, HWND acceleratorWindow = nullptr);
    static void removeModelessDialog(HWND dialog);

private:
    static bool countsAsNewInput(const MSG& message);
    bool stopRequested();

    IdleStep idle_;
    StopCondition stop_;
    POINT lastMouse_ = {-1, -1};
};

} // namespace wrivo
