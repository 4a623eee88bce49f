#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "bmp_headers.h"

namespace jigsaw {

// Where the pixels of a packed DIB start, counted from the info header: behind
// the colour table, whose entry count is biClrUsed, or 2^biBitCount when that
// is 0 and the depth is 8 bits or less. Deeper pictures carry biClrUsed entries
// and, with BI_BITFIELDS, three masks. Computed in 64 bits so a lying header
// cannot overflow it.
std::uint64_t dibPixelOffset(const BITMAPINFOHEADER& info);

// One picture as the programs keep it: a single block holding the info header,
// the colour table and the pixel rows (bottom row first, each padded to 4
// bytes), together with a copy of the file header it came with.
class PackedDib {
public:
    PackedDib() = default;

    // A new picture with the given header and colour table (missing entries
    // are zero) and every pixel byte set to `fill`.
    static PackedDib create(const BITMAPINFOHEADER& info, std::span<const RGBQUAD> colorTable,
                            std::uint8_t fill = 0);
    // The plain header of an uncompressed picture of this size and depth.
    static BITMAPINFOHEADER makeInfo(int width, int height, int bitCount);

    // Like create(), but the pixel bytes are left for the caller to fill.
    static PackedDib allocate(const BITMAPINFOHEADER& info, std::span<const RGBQUAD> colorTable);

    BITMAPFILEHEADER hdr;  // the file header kept with the picture

    bool empty() const { return block_.empty(); }
    const BITMAPINFOHEADER& info() const { return info_; }
    int width() const { return info_.biWidth; }
    int height() const { return info_.biHeight < 0 ? -info_.biHeight : info_.biHeight; }
    int bitCount() const { return info_.biBitCount; }
    std::size_t stride() const { return dibStrideOf(info_); }

    // The whole block: info header, colour table, pixels.
    std::span<const std::uint8_t> block() const { return {block_.data(), block_.size()}; }

    std::size_t bitsOffset() const { return bitsOffset_; }
    std::uint8_t* pBits() { return block_.data() + bitsOffset_; }
    const std::uint8_t* pBits() const { return block_.data() + bitsOffset_; }
    std::span<std::uint8_t> pixels() { return {pBits(), block_.size() - bitsOffset_}; }
    std::span<const std::uint8_t> pixels() const { return {pBits(), block_.size() - bitsOffset_}; }

    int colorCount() const { return colorCount_; }
    RGBQUAD color(int i) const;
    void setColor(int i, RGBQUAD c);
    std::vector<RGBQUAD> colorTable() const;

    // The stored row that holds image row y counted from the top (rows are
    // stored bottom-up unless the height is negative).
    std::uint8_t* rowFromTop(int y) { return pBits() + stride() * storedRow(y); }
    const std::uint8_t* rowFromTop(int y) const { return pBits() + stride() * storedRow(y); }

    static std::size_t dibStrideOf(const BITMAPINFOHEADER& info);

private:
    void checkColorIndex(int i) const;
    std::size_t storedRow(int y) const
    {
        return static_cast<std::size_t>(info_.biHeight < 0 ? y : height() - 1 - y);
    }

    // A byte vector that does not zero what it allocates, so that a picture
    // read from a file is written once, not twice.
    struct DefaultInitAllocator : std::allocator<std::uint8_t> {
        template <class U>
        struct rebind {
            using other = DefaultInitAllocator;
        };
        template <class U>
        void construct(U* p)
        {
            ::new (static_cast<void*>(p)) U;
        }
        template <class U, class... Args>
        void construct(U* p, Args&&... args)
        {
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    };

    BITMAPINFOHEADER info_;
    std::vector<std::uint8_t, DefaultInitAllocator> block_;
    std::size_t bitsOffset_ = 0;
    int colorCount_ = 0;
};

}  // namespace jigsaw
