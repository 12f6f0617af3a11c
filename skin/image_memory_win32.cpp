// Byte blocks into GDI+ images, with the memory behind each image kept alive.
#include "skin/image_memory_win32.h"

#include "skin/skin_module_win32.h"
#include "skin/skin_state_win32.h"

#include <cstring>

namespace wrivo {

void MemoryStream::release()
{
    if (stream_) {
        stream_->Release();
        stream_ = nullptr;
    }
    if (memory_ && !streamOwnsMemory_) skinCall<apiGlobalFree>(memory_);
    memory_ = nullptr;
    streamOwnsMemory_ = false;
}

IStream* MemoryStream::open(std::span<const std::uint8_t> bytes, bool copy)
{
    release();
    if (copy) {
        memory_ = skinCall<apiGlobalAlloc>(0u, static_cast<SIZE_T>(bytes.size()));
        if (!memory_) return nullptr;
        if (void* target = skinCall<apiGlobalLock>(memory_)) {
            if (!bytes.empty()) std::memcpy(target, bytes.data(), bytes.size());
            skinCall<apiGlobalUnlock>(memory_);
        }
        if (skinCall<apiCreateStreamOnHGlobal>(memory_, FALSE, &stream_) != S_OK) stream_ = nullptr;
    } else {
        memory_ = skinCall<apiGlobalAlloc>(static_cast<UINT>(GMEM_MOVEABLE), SIZE_T{0});
        if (!memory_) return nullptr;
        if (skinCall<apiCreateStreamOnHGlobal>(memory_, TRUE, &stream_) == S_OK)
            streamOwnsMemory_ = true;
        else
            stream_ = nullptr;
    }
    return stream_;
}

SIZE_T MemoryStream::size() const
{
    return memory_ ? skinCall<apiGlobalSize>(memory_) : 0;
}

std::vector<std::uint8_t> MemoryStream::contents() const
{
    const SIZE_T count = size();
    std::vector<std::uint8_t> bytes(count);
    if (count == 0) return bytes;
    if (const void* source = skinCall<apiGlobalLock>(memory_)) {
        std::memcpy(bytes.data(), source, count);
        skinCall<apiGlobalUnlock>(memory_);
    }
    return bytes;
}

HGLOBAL MemoryStream::detachMemory()
{
    HGLOBAL memory = streamOwnsMemory_ ? nullptr : memory_;
    if (memory) memory_ = nullptr;
    return memory;
}

GpImage* loadImageFromBytes(std::span<const std::uint8_t> bytes)
{
    MemoryStream memory;
    IStream* stream = memory.open(bytes, true);
    if (!stream) return nullptr;
    GpImage* image = nullptr;
    if (skinCall<apiGdipLoadImageFromStream>(stream, &image) != gdipOk || !image) return nullptr;
    if (const auto& guid = skinState().timeDimensionGuid; guid.size() == 16)
        skinCall<apiGdipImageSelectActiveFrame>(image, reinterpret_cast<const GUID*>(guid.data()), 0u);
    skinState().imageMemory[image] = memory.detachMemory();
    return image;
}

void disposeImage(GpImage* image)
{
    if (!image) return;
    skinCall<apiGdipDisposeImage>(image);
    auto kept = skinState().imageMemory.find(image);
    if (kept != skinState().imageMemory.end()) {
        if (kept->second) skinCall<apiGlobalFree>(kept->second);
        skinState().imageMemory.erase(kept);
    }
}

std::size_t liveLoadedImages()
{
    return skinState().imageMemory.size();
}

UINT imageWidth(GpImage* image)
{
    UINT width = 0;
    skinCall<apiGdipGetImageWidth>(image, &width);
    return width;
}

UINT imageHeight(GpImage* image)
{
    UINT height = 0;
    skinCall<apiGdipGetImageHeight>(image, &height);
    return height;
}

void imageDimension(GpImage* image, float& width, float& height)
{
    width = height = 0.0f;
    skinCall<apiGdipGetImageDimension>(image, &width, &height);
}

} // namespace wrivo
