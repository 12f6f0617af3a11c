// The application's own state, created by the start routine and living until
// the process ends (the start window's skin object belongs to the skin engine).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wrivo {

struct AppGlobals {
    std::int32_t splashTicks = 0;
    std::vector<std::string> paragraphList;     // one text per paragraph of the document
    std::vector<std::string> backspaceTexts;    // the Backspace rule's texts
    std::int32_t lineBreakCount = 0;
    bool colourTarget = false;
};

// Null before the start routine made them and after the exit routine freed them.
AppGlobals* appGlobals();
void createAppGlobals();
void releaseAppGlobals();

} // namespace wrivo
