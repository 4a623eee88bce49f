#pragma once

#include <QSize>
#include <QString>

#include <cstdint>

#include "picture_loader.h"

namespace kestra {

// Raises Qt's limit on the memory one image may take to what a picture of
// `size` needs at 64 bits a pixel (deep formats decode so), for as long as
// it lives.
class AllocationLimit {
public:
    explicit AllocationLimit(const QSize& size);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

private:
    int m_previous;
};

// Shared by the decoders: the file name as messages show it, and the size
// limit every decoder applies before it allocates.
QString displayName(const QString& name);
void checkDimensions(std::int64_t width, std::int64_t height, const QString& name);
[[noreturn]] void refuse(LoadFailure failure, const QString& summary, const QString& details = {});
// A picture that cannot be read for want of memory.
[[noreturn]] void refuseOutOfMemory(const QString& name);
// A picture file that cannot be read: `summary` names it, `details` says why.
[[noreturn]] void refuseUnreadable(const QString& summary, const QString& details);
// The summaries of a file whose bytes cannot be read, and of a BMP or JPEG
// file that is damaged or of a kind the decoders do not read.
QString unreadableFile(const QString& name);
QString damagedBmp(const QString& name);
QString damagedJpeg(const QString& name);
// A picture's size as the details of a message give it.
QString pictureSize(std::int64_t width, std::int64_t height);
// A valid picture of a kind the maker does not take (another depth, an OS/2
// bitmap, 12-bit samples): UnsupportedDepth with the maker's warning.
[[noreturn]] void refuseUnsupported();

// A true-colour picture's headers: a synthetic file header ("BM", size 10000)
// and an info header of the picture's own size (width × height, or the
// image's size) at 24 bits.
void setTrueColorHeaders(LoadedPicture& picture, int width, int height);
void setTrueColorHeaders(LoadedPicture& picture);

}  // namespace kestra
