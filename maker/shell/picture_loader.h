#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "bmp_headers.h"

namespace kestra {

// A picture read from a file or the clipboard, ready to be installed in the
// document. The image is always Format_RGB32 and holds the whole picture: at
// its own size, or for a large picture reduced while it was decoded (see
// picture_reduction.h). An 8-bit BMP also keeps its colour table (unused
// entries zero), which data creation maps the picture back onto.
struct LoadedPicture {
    QImage image;
    jigsaw::BITMAPFILEHEADER fileHeader;
    jigsaw::BITMAPINFOHEADER infoHeader;  // the picture's own width and height; biBitCount 8 or 24
    std::array<jigsaw::RGBQUAD, 256> palette{};

    int bitCount() const { return infoHeader.biBitCount; }
    int width() const { return infoHeader.biWidth; }
    int height() const { return infoHeader.biHeight; }
};

// Why a picture was refused. UnsupportedDepth is the one the maker answers
// with its warning dialog 139; the others carry a message for a message box.
enum class LoadFailure { UnsupportedDepth, Unreadable, TooSmall, TooLarge, OutOfMemory, NoPicture };

class PictureLoadError : public std::runtime_error {
public:
    PictureLoadError(LoadFailure failure, const QString& message)
        : std::runtime_error(message.toStdString()), failure_(failure), message_(message)
    {
    }
    LoadFailure failure() const { return failure_; }
    const QString& message() const { return message_; }

private:
    LoadFailure failure_;
    QString message_;
};

// Limits on the pictures the maker accepts. The decoders read pictures of any
// size up to the largest side BMP and JPEG can hold; the maker refuses those
// too small to frame.
inline constexpr int kMinPictureSide = 32;
inline constexpr int kMaxPictureSide = 65535;

// Reads a picture file of any size for the maker: decodePicture on the file's
// content (mapped, not read into memory; a JPEG is decoded as it is read),
// then checkPictureSize. Throws PictureLoadError; nothing is changed on
// failure.
LoadedPicture loadPictureFile(const QString& path);

// A clipboard (or any other) image as a true-colour picture, size-checked
// like a file.
LoadedPicture pictureFromImage(const QImage& image);

// Decodes a picture of any size up to the limit: BMP (8-bit with its
// palette, 24-bit; also a header-less DIB), JPEG, or any other format Qt
// reads (as true colour). The type comes from the extension of `name`,
// compared without regard to case, or from the first bytes when the
// extension does not tell. `name` is also the file name in messages.
LoadedPicture decodePicture(std::span<const std::uint8_t> data, const QString& name);

// The decoders behind decodePicture.
LoadedPicture decodeBmp(std::span<const std::uint8_t> data, const QString& name);
LoadedPicture decodeJpeg(std::span<const std::uint8_t> data, const QString& name);

// Refuses (TooSmall) a picture too small to frame a puzzle in, by its own
// size.
void checkPictureSize(const LoadedPicture& picture);

}  // namespace kestra
