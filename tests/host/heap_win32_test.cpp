// Every global operator new of the Win32 build takes its block from the
// process heap, and a request the heap cannot meet is the run-time error.
#include "host/heap_win32.h"
#include "host/memory.h"
#include "tests/host/error_capture.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

namespace wrivo {

using testing::ErrorCapture;
using testing::ReportEnded;

namespace {
bool isProcessHeapBlock(const void* block)
{
    return HeapValidate(GetProcessHeap(), 0, block) != 0;
}
} // namespace

TEST(ProcessHeap, OperatorNewAndTheMemoryServicesUseTheProcessHeap)
{
    // Installed before any test ran.
    const HeapBackend& installed = setHeapBackend(processHeapBackend());
    EXPECT_EQ(&installed, &processHeapBackend());

    auto* single = new int(5);
    EXPECT_TRUE(isProcessHeapBlock(single));
    EXPECT_GE(HeapSize(GetProcessHeap(), 0, single), sizeof(int));
    delete single;

    auto* array = new char[1000];
    EXPECT_TRUE(isProcessHeapBlock(array));
    EXPECT_GE(HeapSize(GetProcessHeap(), 0, array), 1000u);
    delete[] array;

    std::vector<int> growing(5000, 7);
    EXPECT_TRUE(isProcessHeapBlock(growing.data()));

    void* block = allocate(300);
    EXPECT_TRUE(isProcessHeapBlock(block));
    block = resize(block, 70000);
    EXPECT_TRUE(isProcessHeapBlock(block));
    EXPECT_GE(HeapSize(GetProcessHeap(), 0, block), 70000u);
    freeBlock(block);
}

TEST(ProcessHeap, OverAlignedObjectsAreAlignedAndFreed)
{
    struct alignas(64) Wide {
        char bytes[100];
    };
    for (int i = 0; i < 50; ++i) {
        auto* wide = new Wide;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(wide) % 64, 0u);
        wide->bytes[99] = 'x';
        delete wide;
    }
    auto wides = std::make_unique<Wide[]>(3);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(wides.get()) % 64, 0u);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
}

TEST(ProcessHeap, ImpossibleNewIsReportedWithTheRequestedCount)
{
    ErrorCapture capture;
    char* never = nullptr;
    EXPECT_THROW(never = new char[0x7FFFFFF0], ReportEnded);
    EXPECT_EQ(never, nullptr);
    EXPECT_EQ(ErrorCapture::suspendCount, 1);
    EXPECT_EQ(ErrorCapture::shownText, "运行时出错!\r\n\r\n错误信息：分配 2147483632 字节内存失败!\r\n");

    EXPECT_THROW((void)allocate(0x7FFFFFF0), ReportEnded);
    EXPECT_EQ(ErrorCapture::shownText, "运行时出错!\r\n\r\n错误信息：分配 2147483632 字节内存失败!\r\n");
}

TEST(ProcessHeap, NothrowNewAnswersNullWithoutReport)
{
    ErrorCapture capture;
    char* never = new (std::nothrow) char[0x7FFFFFF0];
    EXPECT_EQ(never, nullptr);
    EXPECT_EQ(ErrorCapture::shownCount, 0);
    auto* fine = new (std::nothrow) char[10];
    EXPECT_TRUE(isProcessHeapBlock(fine));
    delete[] fine;
}

} // namespace wrivo
