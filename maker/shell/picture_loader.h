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
// document, upright as its EXIF orientation says. The image is always
// Format_RGB32 and holds the whole picture: at its own size, or for a large
// picture reduced while it was decoded (see picture_reduction.h); or, read
// again for a frame, the part of it the frame covers. Picture coordinate p
// lies at image coordinate p · scale − offset. An 8-bit BMP also keeps its
// colour table (unused entries zero), which data creation maps the picture
// back onto.
struct LoadedPicture {
    QImage image;
    double scale = 1.0;
    double offsetX = 0.0;
    double offsetY = 0.0;
    QString path;  // the file it was read from; empty for the clipboard
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
    PictureLoadError(LoadFailure failure, const QString& summary, const QString& details = {});
    LoadFailure failure() const { return failure_; }
    // What is wrong with the picture and what to do, in plain words.
    const QString& summary() const { return summary_; }
    // The technical reason behind it (a decoder's words, a header's
    // numbers), or nothing.
    const QString& details() const { return details_; }
    // Both as one text for the command line: the details in brackets.
    QString message() const;

private:
    LoadFailure failure_;
    QString summary_;
    QString details_;
};

// Limits on the pictures the maker accepts. The decoders read pictures of any
// size up to the largest side BMP and JPEG can hold; the maker refuses those
// too small to frame.
inline constexpr int kMinPictureSide = 32;
inline constexpr int kMaxPictureSide = 65535;

// The part of a picture file under a frame (in the upright picture's pixels)
// read again at the smallest reduction that keeps what a puzzle of
// width × height pixels needs (see regionScale). The picture must still be
// the one loaded from `path`, of pictureWidth × pictureHeight; otherwise, or
// when it cannot be read, PictureLoadError.
struct PictureRegion {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    int width = 0;
    int height = 0;
};
LoadedPicture readPictureRegion(const QString& path, const PictureRegion& region, int pictureWidth,
                                int pictureHeight);

// A region of no pixels: the decoders read only the headers (and a BMP's
// colour table), and give a picture without an image.
inline constexpr PictureRegion kHeadersOnly{};
inline bool headersOnly(const PictureRegion* region)
{
    return region != nullptr && region->width <= 0;
}

// The picture file's headers only, size-checked like loadPictureFile: for
// callers that read the framed region at creation and need no view.
LoadedPicture loadPictureHeaders(const QString& path);

// Reads a picture file of any size for the maker: decodePicture on the file's
// content (a JPEG decoded as it is read, a BMP read by rows, anything else
// mapped, never read into memory whole), then checkPictureSize. Throws PictureLoadError; nothing is changed on
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
// With `region`, only the part under it, as readPictureRegion reads it.
LoadedPicture decodePicture(std::span<const std::uint8_t> data, const QString& name,
                            const PictureRegion* region = nullptr);

// The decoders behind decodePicture. decodeBmpFile reads an open file by rows.
LoadedPicture decodeBmp(std::span<const std::uint8_t> data, const QString& name,
                        const PictureRegion* region = nullptr);
LoadedPicture decodeBmpFile(int fd, std::uint64_t size, const QString& name, const PictureRegion* region);
LoadedPicture decodeJpeg(std::span<const std::uint8_t> data, const QString& name,
                         const PictureRegion* region = nullptr);

// Refuses (TooSmall) a picture too small to frame a puzzle in, by its own
// size.
void checkPictureSize(const LoadedPicture& picture);

}  // namespace kestra
