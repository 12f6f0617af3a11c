#include "host/memory.h"
#include "host/runtime_error.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace wrivo {

namespace {

struct ConstantRange {
    std::uintptr_t start;
    std::size_t size;
};

std::vector<ConstantRange>& constantRanges()
{
    static std::vector<ConstantRange> ranges;
    return ranges;
}

const ConstantRange* rangeContaining(const void* pointer)
{
    const auto p = reinterpret_cast<std::uintptr_t>(pointer);
    for (const ConstantRange& range : constantRanges()) {
        if (p >= range.start && p - range.start < range.size) return &range;
    }
    return nullptr;
}

void* standardAllocate(std::size_t count)
{
    return std::malloc(count);
}
void* standardResize(void* block, std::size_t count)
{
    return std::realloc(block, count);
}
void standardRelease(void* block)
{
    std::free(block);
}

constexpr HeapBackend standardBackend{&standardAllocate, &standardResize, &standardRelease};
constinit const HeapBackend* currentBackend = &standardBackend;

std::size_t atLeastOne(std::size_t count)
{
    return count == 0 ? 1 : count;
}

} // namespace

std::string allocationFailureText(std::size_t count)
{
    return "分配 " + std::to_string(count) + " 字节内存失败!";
}

void reportAllocationFailure(std::size_t count)
{
    // Composed without the heap: the heap is what just failed.
    constexpr std::string_view before = "分配 ", after = " 字节内存失败!";
    char text[64];
    char* end = std::copy(before.begin(), before.end(), text);
    end = std::to_chars(end, text + sizeof text, count).ptr;
    end = std::copy(after.begin(), after.end(), end);
    reportRuntimeError(std::string_view(text, static_cast<std::size_t>(end - text)), 0);
}

void* allocate(std::size_t count)
{
    void* block = currentBackend->allocate(atLeastOne(count));
    if (block == nullptr) reportAllocationFailure(count);
    return block;
}

void freeBlock(void* block)
{
    if (block == nullptr || rangeContaining(block) != nullptr) return;
    currentBackend->release(block);
}

void* resize(void* block, std::size_t count)
{
    if (block == nullptr) return allocate(count);
    if (const ConstantRange* range = rangeContaining(block)) {
        const std::size_t available = range->start + range->size - reinterpret_cast<std::uintptr_t>(block);
        void* copy = allocate(count);
        std::memcpy(copy, block, std::min(count, available));
        return copy;
    }
    void* moved = currentBackend->resize(block, atLeastOne(count));
    if (moved == nullptr) reportAllocationFailure(count);
    return moved;
}

void registerConstantRange(const void* start, std::size_t size)
{
    if (start == nullptr || size == 0) return;
    constantRanges().push_back({reinterpret_cast<std::uintptr_t>(start), size});
}

bool isInConstantRange(const void* pointer)
{
    return pointer != nullptr && rangeContaining(pointer) != nullptr;
}

const HeapBackend& standardHeapBackend()
{
    return standardBackend;
}

const HeapBackend& setHeapBackend(const HeapBackend& backend)
{
    const HeapBackend& previous = *currentBackend;
    currentBackend = &backend;
    return previous;
}

} // namespace wrivo
