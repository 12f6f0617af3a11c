// Plays the 28 splash frames on a layered window the way the start window's
// timer does (decode + compose + push per frame) and reports milliseconds per
// frame, with the three steps also timed on their own. Win32 only.
#ifdef _WIN32
#include "bench/bench_support.h"
#include "skin/image_memory_win32.h"
#include "skin/png_skin_window_win32.h"
#include "skin/skin_module_win32.h"
#include "skin/splash_frames.h"

#include <windows.h>
#include <cstdio>

int main()
{
    using namespace wrivo;
    using bench::nowMs;
    startSkinModule();
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 200, 150, 495, 354, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    PngSkinWindow skin;
    skin.attach(window);
    ShowWindow(window, SW_SHOWNOACTIVATE);

    constexpr int rounds = 5;
    double decode = 0, compose = 0, push = 0, whole = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int k = 1; k <= splashFrameCount; ++k) {
            double start = nowMs();
            skin.setBackImageBytes(splashFrame(k)); // what a tick does
            whole += nowMs() - start;

            start = nowMs();
            GpImage* image = loadImageFromBytes(splashFrame(k));
            decode += nowMs() - start;
            disposeImage(image);

            start = nowMs();
            GpImage* picture = composeWindow(window, true);
            compose += nowMs() - start;
            start = nowMs();
            pushLayered(window, picture, false);
            push += nowMs() - start;
            skinCall<apiGdipDisposeImage>(picture);

            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        }
    }
    const double frames = rounds * splashFrameCount;
    std::printf("splash_bench: %d frames of %dx%d on a 495x354 layered window\n", static_cast<int>(frames),
                splashFrameWidth, splashFrameHeight);
    std::printf("  tick (decode + compose + push): %.2f ms/frame\n", whole / frames);
    std::printf("  decode only:                    %.2f ms/frame\n", decode / frames);
    std::printf("  compose only:                   %.2f ms/frame\n", compose / frames);
    std::printf("  push only:                      %.2f ms/frame\n", push / frames);
    DestroyWindow(window);
    return 0;
}
#else
#include <cstdio>
int main()
{
    std::puts("splash_bench: Win32 only (run the cross build's splash_bench.exe under Wine)");
    return 0;
}
#endif
