#include "host/memory.h"
#include "tests/host/error_capture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace wrivo {

using testing::ErrorCapture;
using testing::ReportEnded;

namespace {

// A built-in constant text, as the program's constant data holds it.
constexpr char constantText[] = "保存成功！";
const bool constantRegistered = (registerConstantRange(constantText, sizeof constantText), true);

int failingRequests = 0;
std::size_t lastFailedCount = 0;
void* failAllocate(std::size_t count)
{
    ++failingRequests;
    lastFailedCount = count;
    return nullptr;
}
void* failResize(void*, std::size_t count)
{
    return failAllocate(count);
}
void neverRelease(void*)
{
    ADD_FAILURE() << "nothing was allocated";
}
constexpr HeapBackend failingBackend{&failAllocate, &failResize, &neverRelease};

struct BackendInstalled {
    const HeapBackend& previous;
    explicit BackendInstalled(const HeapBackend& b) : previous(setHeapBackend(b)) { failingRequests = 0; }
    ~BackendInstalled() { setHeapBackend(previous); }
};

} // namespace

TEST(Memory, AllocatedBlocksHoldTheirBytesThroughResize)
{
    auto* block = static_cast<char*>(allocate(6));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "abcdef", 6);
    block = static_cast<char*>(resize(block, 100000));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::string(block, 6), "abcdef");
    block = static_cast<char*>(resize(block, 3));
    EXPECT_EQ(std::string(block, 3), "abc");
    freeBlock(block);
}

TEST(Memory, ZeroBytesAndNullAreOrdinaryRequests)
{
    void* empty = allocate(0);
    EXPECT_NE(empty, nullptr);
    freeBlock(empty);
    freeBlock(nullptr); // ignored
    auto* fresh = static_cast<char*>(resize(nullptr, 4));
    ASSERT_NE(fresh, nullptr);
    fresh[3] = 'x';
    freeBlock(fresh);
}

TEST(Memory, ConstantsAreNeverFreedAndResizingCopiesThem)
{
    ASSERT_TRUE(constantRegistered);
    EXPECT_TRUE(isInConstantRange(constantText));
    EXPECT_TRUE(isInConstantRange(constantText + sizeof constantText - 1));
    EXPECT_FALSE(isInConstantRange(constantText + sizeof constantText));
    EXPECT_FALSE(isInConstantRange(nullptr));

    // Freeing a constant goes nowhere near the heap.
    {
        BackendInstalled failing(failingBackend);
        freeBlock(const_cast<char*>(constantText));
    }
    EXPECT_STREQ(constantText, "保存成功！");

    // Resizing from the middle to more bytes than the range holds copies only
    // up to the range's end (the text's last character and its terminator).
    const char* middle = constantText + 8;
    auto* copy = static_cast<char*>(resize(const_cast<char*>(middle), 64));
    ASSERT_NE(copy, static_cast<const void*>(middle));
    EXPECT_FALSE(isInConstantRange(copy));
    EXPECT_EQ(std::memcmp(copy, middle, sizeof constantText - 8), 0);
    EXPECT_STREQ(copy, "！");
    freeBlock(copy);

    // Resizing to fewer bytes copies just those.
    copy = static_cast<char*>(resize(const_cast<char*>(constantText), 2));
    EXPECT_EQ(std::string(copy, 2), std::string(constantText, 2));
    freeBlock(copy);
    EXPECT_STREQ(constantText, "保存成功！");
}

TEST(Memory, FailedRequestsReportTheByteCountWithoutCodeLine)
{
    EXPECT_EQ(allocationFailureText(100), "分配 100 字节内存失败!");

    ErrorCapture capture;
    BackendInstalled failing(failingBackend);
    EXPECT_THROW((void)allocate(100), ReportEnded);
    EXPECT_EQ(lastFailedCount, 100u);
    EXPECT_EQ(ErrorCapture::shownText, "运行时出错!\r\n\r\n错误信息：分配 100 字节内存失败!\r\n");

    EXPECT_THROW((void)resize(nullptr, 7), ReportEnded);
    EXPECT_EQ(ErrorCapture::shownText, "运行时出错!\r\n\r\n错误信息：分配 7 字节内存失败!\r\n");

    // A constant's copy comes from the heap too.
    EXPECT_THROW((void)resize(const_cast<char*>(constantText), 3000000000u), ReportEnded);
    EXPECT_EQ(ErrorCapture::shownText, "运行时出错!\r\n\r\n错误信息：分配 3000000000 字节内存失败!\r\n");
}

TEST(Memory, FailedResizeOfAHeapBlockIsReportedToo)
{
    void* block = allocate(16);
    {
        ErrorCapture capture;
        const HeapBackend& standard = standardHeapBackend();
        static HeapBackend resizeFails;
        resizeFails = standard;
        resizeFails.resize = &failResize;
        BackendInstalled installed(resizeFails);
        EXPECT_THROW((void)resize(block, 5000), ReportEnded);
        EXPECT_EQ(ErrorCapture::shownText, "运行时出错!\r\n\r\n错误信息：分配 5000 字节内存失败!\r\n");
    }
    freeBlock(block); // the failed resize left the block as it was
}

} // namespace wrivo
