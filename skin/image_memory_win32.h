// PNG (and any other GDI+-readable) images made from byte blocks in memory.
//
// GDI+ may read a stream-loaded image's data from its stream for as long as
// the image lives, so the global memory block behind the stream goes with the
// image: loadImageFromBytes keeps it, and disposeImage frees it after GDI+ has
// let go of the image. Dispose of images from loadImageFromBytes with
// disposeImage only.
#pragma once
#include "skin/skin_api_win32.h"

#include <objidl.h>
#include <cstdint>
#include <span>
#include <vector>

namespace wrivo {

// A global memory block and a stream over it. The object owns both: release
// (and the destructor) lets go of the stream and frees the block, unless the
// block was handed on with detachMemory or belongs to the stream.
class MemoryStream {
public:
    MemoryStream() = default;
    ~MemoryStream() { release(); }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    void release();
    // copy true: a fixed block holding the bytes, which the stream leaves
    // alone. copy false: an empty movable block that the stream owns and
    // grows. Answers the stream, null when memory or the stream failed.
    IStream* open(std::span<const std::uint8_t> bytes, bool copy);
    IStream* stream() const { return stream_; }
    SIZE_T size() const;
    std::vector<std::uint8_t> contents() const;
    // Hands the block to the caller, who frees it with GlobalFree.
    HGLOBAL detachMemory();

private:
    HGLOBAL memory_ = nullptr;
    IStream* stream_ = nullptr;
    bool streamOwnsMemory_ = false;
};

// Decodes the bytes; frame 0 of the time dimension is selected. Null for
// bytes that are no image (a truncated PNG among them), for an empty block,
// or when GDI+ is not started.
GpImage* loadImageFromBytes(std::span<const std::uint8_t> bytes);

// GdipDisposeImage, then frees the memory that backed the image, if any.
void disposeImage(GpImage* image);

// How many images from loadImageFromBytes are alive (their memory kept).
std::size_t liveLoadedImages();

// Sizes: whole pixels, or floats as drawing wants them.
UINT imageWidth(GpImage* image);
UINT imageHeight(GpImage* image);
void imageDimension(GpImage* image, float& width, float& height);

} // namespace wrivo
