// Every allocation of the program comes from the process heap: the memory
// services through the installed backend, and every form of the global
// operator new, so that running out of memory anywhere is reported with the
// same run-time error ("分配 %d 字节内存失败!") and ends the process.
//
// The throwing forms of operator new never return null and never throw
// std::bad_alloc: a failure is the run-time error. The nothrow forms keep
// their contract and answer null without a report, because their callers
// (the standard library's temporary buffers, among others) have a fallback.
#include "host/heap_win32.h"

#include <windows.h>

#include <cstdint>
#include <new>

namespace wrivo {

namespace {

HANDLE processHeap()
{
    return GetProcessHeap();
}

void* heapAllocate(std::size_t count)
{
    return HeapAlloc(processHeap(), 0, count == 0 ? 1 : count);
}

void* heapResize(void* block, std::size_t count)
{
    return HeapReAlloc(processHeap(), 0, block, count == 0 ? 1 : count);
}

void heapRelease(void* block)
{
    if (block != nullptr) HeapFree(processHeap(), 0, block);
}

constexpr HeapBackend processBackend{&heapAllocate, &heapResize, &heapRelease};

struct ProcessHeapInstaller {
    ProcessHeapInstaller() { setHeapBackend(processBackend); }
};
// Before every other static object of the program, so that no block of the
// C library's heap is ever handed to HeapFree.
const ProcessHeapInstaller installer __attribute__((init_priority(101)));

// The heap aligns to 8 bytes. A stricter alignment is served from a larger
// block: the address of the block is kept just before the aligned pointer.
void* alignedAllocate(std::size_t count, std::size_t alignment)
{
    if (alignment <= 8) return heapAllocate(count);
    const std::size_t extra = alignment + sizeof(void*);
    if (count > SIZE_MAX - extra) return nullptr;
    void* raw = heapAllocate(count + extra);
    if (raw == nullptr) return nullptr;
    auto address = reinterpret_cast<std::uintptr_t>(raw) + sizeof(void*);
    address = (address + alignment - 1) & ~(static_cast<std::uintptr_t>(alignment) - 1);
    reinterpret_cast<void**>(address)[-1] = raw;
    return reinterpret_cast<void*>(address);
}

void alignedRelease(void* block, std::size_t alignment)
{
    if (block == nullptr) return;
    if (alignment <= 8) {
        heapRelease(block);
        return;
    }
    heapRelease(static_cast<void**>(block)[-1]);
}

void* allocateOrReport(std::size_t count)
{
    void* block = heapAllocate(count);
    if (block == nullptr) reportAllocationFailure(count);
    return block;
}

void* alignedAllocateOrReport(std::size_t count, std::size_t alignment)
{
    void* block = alignedAllocate(count, alignment);
    if (block == nullptr) reportAllocationFailure(count);
    return block;
}

} // namespace

const HeapBackend& processHeapBackend()
{
    return processBackend;
}

} // namespace wrivo

using wrivo::alignedAllocate;
using wrivo::alignedAllocateOrReport;
using wrivo::alignedRelease;
using wrivo::allocateOrReport;
using wrivo::heapAllocate;
using wrivo::heapRelease;

void* operator new(std::size_t count)
{
    return allocateOrReport(count);
}
void* operator new[](std::size_t count)
{
    return allocateOrReport(count);
}
void* operator new(std::size_t count, const std::nothrow_t&) noexcept
{
    return heapAllocate(count);
}
void* operator new[](std::size_t count, const std::nothrow_t&) noexcept
{
    return heapAllocate(count);
}

void operator delete(void* block) noexcept
{
    heapRelease(block);
}
void operator delete[](void* block) noexcept
{
    heapRelease(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    heapRelease(block);
}
void operator delete[](void* block, std::size_t) noexcept
{
    heapRelease(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept
{
    heapRelease(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    heapRelease(block);
}

void* operator new(std::size_t count, std::align_val_t a)
{
    return alignedAllocateOrReport(count, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t count, std::align_val_t a)
{
    return alignedAllocateOrReport(count, static_cast<std::size_t>(a));
}
void* operator new(std::size_t count, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return alignedAllocate(count, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t count, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return alignedAllocate(count, static_cast<std::size_t>(a));
}

void operator delete(void* block, std::align_val_t a) noexcept
{
    alignedRelease(block, static_cast<std::size_t>(a));
}
void operator delete[](void* block, std::align_val_t a) noexcept
{
    alignedRelease(block, static_cast<std::size_t>(a));
}
void operator delete(void* block, std::size_t, std::align_val_t a) noexcept
{
    alignedRelease(block, static_cast<std::size_t>(a));
}
void operator delete[](void* block, std::size_t, std::align_val_t a) noexcept
{
    alignedRelease(block, static_cast<std::size_t>(a));
}
void operator delete(void* block, std::align_val_t a, const std::nothrow_t&) noexcept
{
    alignedRelease(block, static_cast<std::size_t>(a));
}
void operator delete[](void* block, std::align_val_t a, const std::nothrow_t&) noexcept
{
    alignedRelease(block, static_cast<std::size_t>(a));
}
