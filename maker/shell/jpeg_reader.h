#pragma once

#include <QString>

#include <cstdio>

#include "picture_loader.h"

namespace kestra {

// Decodes a JPEG from an open stream with libjpeg's decompressor, upright as
// its EXIF orientation says: the whole picture, or with `region` the part
// under a frame. Greyscale is decoded as RGB, CMYK and YCCK are converted to
// RGB; any error of the decoder, or a warning of corrupt or truncated data,
// refuses the picture. Throws PictureLoadError naming `name`.
LoadedPicture decodeJpegStream(std::FILE* stream, const QString& name, const PictureRegion* region = nullptr);

}  // namespace kestra
