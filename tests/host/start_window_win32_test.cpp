// The start window on the real host, with recording handlers in place of the
// splash: its timer ticks, its timer property, Esc closing it, and the
// program's constant data registered at start.
#include <windows.h>
#include <gtest/gtest.h>

#include "app/layout_content.h"
#include "host/host.h"
#include "host/memory.h"
#include "host/property_rules.h"
#include "host/window_properties.h"
#include "services/controls/control_operations.h"
#include "tests/support/host_harness_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

const UnitRef startWindow{WindowId::start, UnitId::startWindow, layout::kind::window};
const UnitRef splashTimer{WindowId::start, UnitId::splashTimer, layout::kind::timer};

class StartWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        startRecordingHost();
        resetHandlers();
        recordedEvents().clear();
        ASSERT_TRUE(loadWindow(WindowId::start, std::nullopt, false));
    }
    void TearDown() override
    {
        if (windowLoaded(WindowId::start)) destroyUnit(startWindow, true);
        pumpPending();
    }
};

TEST_F(StartWindow, IsCreatedVisibleAndRaisesCreatedOnce)
{
    EXPECT_EQ(countEvents(HandlerIndex::startSplash), 1);
    HWND window = reinterpret_cast<HWND>(windowHandle(startWindow));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(propertyNumber(readProperty(startWindow, CommonProperty::width)), 495);
    EXPECT_EQ(propertyNumber(readProperty(startWindow, CommonProperty::height)), 354);
    RECT area;
    GetWindowRect(window, &area);
    EXPECT_EQ(area.left, (GetSystemMetrics(SM_CXSCREEN) - 495) / 2) << "centred by its position setting";
    EXPECT_EQ(GetMenu(window), nullptr);
}

TEST_F(StartWindow, TimerTicksReachTheirHandler)
{
    EXPECT_TRUE(pumpUntil([] { return countEvents(HandlerIndex::splashTick) >= 3; }));
    EXPECT_EQ(propertyNumber(readProperty(splashTimer, TimerProperty::interval)), 50);
    writeProperty(splashTimer, TimerProperty::interval, std::int64_t{-20});
    EXPECT_EQ(propertyNumber(readProperty(splashTimer, TimerProperty::interval)), 0);
    writeProperty(splashTimer, TimerProperty::interval, std::int64_t{10});
    int before = countEvents(HandlerIndex::splashTick);
    EXPECT_TRUE(pumpUntil([&] { return countEvents(HandlerIndex::splashTick) >= before + 2; }));
}

TEST_F(StartWindow, EscClosesItAfterAskingMayClose)
{
    postKey(reinterpret_cast<HWND>(windowHandle(startWindow)), VK_ESCAPE);
    EXPECT_TRUE(pumpUntil([] { return !windowLoaded(WindowId::start); }));
}

TEST_F(StartWindow, DestroyingTheTimerRemovesTheUnit)
{
    HWND timer = reinterpret_cast<HWND>(windowHandle(splashTimer));
    destroyUnit(splashTimer);
    EXPECT_FALSE(IsWindow(timer));
    EXPECT_TRUE(windowLoaded(WindowId::start));
}

TEST(HostStart, ProgramTextsAreConstants)
{
    startRecordingHost();
    static const char text[] = "宋体";
    EXPECT_TRUE(isInConstantRange(text));
    int onTheStack = 0;
    EXPECT_FALSE(isInConstantRange(&onTheStack));
}

} // namespace
} // namespace wrivo
