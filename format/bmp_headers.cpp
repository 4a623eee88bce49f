#include "bmp_headers.h"

namespace jigsaw {

BITMAPFILEHEADER readFileHeader(ByteReader& in)
{
    BITMAPFILEHEADER h;
    h.bfType = in.u16();
    h.bfSize = in.u32();
    h.bfReserved1 = in.u16();
    h.bfReserved2 = in.u16();
    h.bfOffBits = in.u32();
    return h;
}

BITMAPINFOHEADER readInfoHeader(ByteReader& in)
{
    BITMAPINFOHEADER h;
    h.biSize = in.u32();
    h.biWidth = in.i32();
    h.biHeight = in.i32();
    h.biPlanes = in.u16();
    h.biBitCount = in.u16();
    h.biCompression = in.u32();
    h.biSizeImage = in.u32();
    h.biXPelsPerMeter = in.i32();
    h.biYPelsPerMeter = in.i32();
    h.biClrUsed = in.u32();
    h.biClrImportant = in.u32();
    return h;
}

std::vector<RGBQUAD> readColorTable(ByteReader& in, std::size_t count)
{
    std::vector<RGBQUAD> table(count);
    for (RGBQUAD& c : table) {
        c.rgbBlue = in.u8();
        c.rgbGreen = in.u8();
        c.rgbRed = in.u8();
        c.rgbReserved = in.u8();
    }
    return table;
}

void writeFileHeader(ByteWriter& out, const BITMAPFILEHEADER& h)
{
    out.u16(h.bfType);
    out.u32(h.bfSize);
    out.u16(h.bfReserved1);
    out.u16(h.bfReserved2);
    out.u32(h.bfOffBits);
}

void writeInfoHeader(ByteWriter& out, const BITMAPINFOHEADER& h)
{
    out.u32(h.biSize);
    out.i32(h.biWidth);
    out.i32(h.biHeight);
    out.u16(h.biPlanes);
    out.u16(h.biBitCount);
    out.u32(h.biCompression);
    out.u32(h.biSizeImage);
    out.i32(h.biXPelsPerMeter);
    out.i32(h.biYPelsPerMeter);
    out.u32(h.biClrUsed);
    out.u32(h.biClrImportant);
}

}  // namespace jigsaw
