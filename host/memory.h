// Memory services: the blocks that texts, byte blocks and arrays live in.
// Whoever receives such a block owns it and gives it back with freeBlock.
// Running out of memory is a run-time error ("分配 %d 字节内存失败!", code 0),
// so allocate and resize never return null.
//
// The program's built-in constants (texts, byte blocks, the splash frames) lie
// in constant ranges registered at start-up: freeBlock leaves them alone and
// resize copies them into a new block.
#pragma once
#include <cstddef>
#include <string>

namespace wrivo {

[[nodiscard]] void* allocate(std::size_t count);

// Null is ignored; a pointer inside a constant range is left alone.
void freeBlock(void* block);

// Null allocates. A pointer inside a constant range gets a new block holding
// min(count, bytes from the pointer to the range's end) bytes of the constant,
// which stays untouched. Otherwise the block is resized in place or moved.
[[nodiscard]] void* resize(void* block, std::size_t count);

// Constant ranges are registered during start-up, before any block is handed
// out, and only read afterwards.
void registerConstantRange(const void* start, std::size_t size);
bool isInConstantRange(const void* pointer);

// The allocation-failure text for a request of `count` bytes.
std::string allocationFailureText(std::size_t count);

// Reports the failed request as a run-time error; never returns.
[[noreturn]] void reportAllocationFailure(std::size_t count);

// Where the blocks come from: a malloc-like trio. Each may fail by answering
// null; the services above turn that into the run-time error. Requests for 0
// bytes are passed on as 1 byte, so null always means failure.
struct HeapBackend {
    void* (*allocate)(std::size_t count);
    void* (*resize)(void* block, std::size_t count);
    void (*release)(void* block);
};

// The C library's malloc family; the default.
const HeapBackend& standardHeapBackend();

// Installs the backend the services use and answers the previous one. The
// Win32 build installs the process heap before any of our code runs; tests
// install failing backends. Switch only when no block of the old backend is
// still alive.
const HeapBackend& setHeapBackend(const HeapBackend& backend);

} // namespace wrivo
