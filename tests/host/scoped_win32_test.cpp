// The handle owners free what they hold exactly once: at the end of their
// scope, or never once moved from or released; a selection puts back what it
// replaced.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>

#include "host/scoped_win32.h"

namespace wrivo {
namespace {

static_assert(!std::is_copy_constructible_v<ScopedFont> && !std::is_copy_assignable_v<ScopedFont>);
static_assert(std::is_nothrow_move_constructible_v<ScopedFont> && std::is_nothrow_move_assignable_v<ScopedFont>);
static_assert(!std::is_copy_constructible_v<ScopedGetDC> && std::is_move_constructible_v<ScopedGetDC>);
static_assert(!std::is_copy_constructible_v<ScopedSelection> && std::is_move_constructible_v<ScopedSelection>);

bool alive(HGDIOBJ object)
{
    return GetObjectType(object) != 0;
}

TEST(ScopedOwners, GdiObjectIsDeletedAtTheEndOfItsOwnersScope)
{
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    {
        const ScopedBrush owner(brush);
        EXPECT_TRUE(alive(brush));
    }
    EXPECT_FALSE(alive(brush));
}

TEST(ScopedOwners, MovingHandsTheObjectOverAndReleasingGivesItUp)
{
    HFONT font = CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    ScopedFont outer;
    {
        ScopedFont inner(font);
        outer = std::move(inner);
        EXPECT_FALSE(inner);
    }
    EXPECT_TRUE(alive(font)); // the moved-from owner freed nothing
    HFONT kept = outer.release();
    outer.reset();
    EXPECT_TRUE(alive(kept));
    const ScopedFont adopted(kept);
}

TEST(ScopedOwners, ResetFreesTheOldHandle)
{
    HBRUSH first = CreateSolidBrush(RGB(1, 1, 1));
    HBRUSH second = CreateSolidBrush(RGB(2, 2, 2));
    ScopedBrush owner(first);
    owner.reset(second);
    EXPECT_FALSE(alive(first));
    EXPECT_TRUE(alive(second));
}

TEST(ScopedOwners, SelectionPutsBackWhatItReplaced)
{
    const ScopedGetDC screen(nullptr);
    ASSERT_TRUE(screen);
    const ScopedMemoryDC dc(CreateCompatibleDC(screen.get()));
    const ScopedBitmap bitmap(CreateCompatibleBitmap(screen.get(), 4, 4));
    HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BITMAP);
    {
        const ScopedSelection selected(dc.get(), bitmap.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), original);
}

TEST(ScopedOwners, MenuAndAcceleratorTableAreDestroyed)
{
    HMENU menu = CreateMenu();
    ACCEL entry{FVIRTKEY, 'A', 1};
    HACCEL table = CreateAcceleratorTableA(&entry, 1);
    {
        const ScopedMenu menuOwner(menu);
        const ScopedAccelerators tableOwner(table);
        EXPECT_TRUE(IsMenu(menu));
        EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 1);
    }
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 0);
}

// A window goes with its owner, and so do the windows it owns; a released
// window stays.
TEST(ScopedOwners, WindowIsDestroyedWithTheWindowsItOwns)
{
    HWND kept = nullptr;
    HWND owned = nullptr;
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    {
        const ScopedWindow owner(window);
        owned = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, window, nullptr, nullptr, nullptr);
        ScopedWindow released(
            CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
        kept = released.release();
        EXPECT_TRUE(IsWindow(window));
        EXPECT_TRUE(IsWindow(owned));
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(owned));
    EXPECT_TRUE(IsWindow(kept));
    const ScopedWindow last(kept);
}

TEST(ScopedOwners, KernelHandlesAreClosedOnceAndAFailedOpenHoldsNothing)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "wrivo-scoped-owner.txt";
    const auto openExclusive = [&] {
        return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    {
        const ScopedFile file(openExclusive());
        ASSERT_TRUE(file);
        EXPECT_FALSE(ScopedFile(openExclusive())) << "a sharing violation is no handle";
    }
    ScopedFile again(openExclusive()); // the first owner closed its handle
    EXPECT_TRUE(again);
    EXPECT_TRUE(again.close());
    EXPECT_FALSE(again);
    WIN32_FIND_DATAA found;
    {
        const ScopedFileSearch search(FindFirstFileA(path.c_str(), &found));
        EXPECT_TRUE(search);
    }
    EXPECT_FALSE(ScopedFileSearch(FindFirstFileA((path + ".none").c_str(), &found)));
    DeleteFileA(path.c_str());
}

TEST(ScopedOwners, OleStopsOnlyWhenItStartedAndOnlyOnce)
{
    ScopedOle ole = ScopedOle::start();
    ASSERT_TRUE(ole);
    {
        const ScopedOle nested = ScopedOle::start(); // started again: balanced by its own stop
        EXPECT_TRUE(nested);
    }
    ScopedOle moved = std::move(ole);
    EXPECT_FALSE(ole);
    moved.reset();
    EXPECT_FALSE(moved);
}

} // namespace
} // namespace wrivo
