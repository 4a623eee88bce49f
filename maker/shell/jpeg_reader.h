#pragma once

#include <QString>

#include <cstdio>

#include "picture_loader.h"

namespace kestra {

// Decodes a JPEG from an open stream with libjpeg's decompressor. Greyscale
// is decoded as RGB, CMYK and YCCK are converted to RGB; any error or warning
// of the decoder (corrupt or truncated data) refuses the picture. Throws
// PictureLoadError naming `name`.
LoadedPicture decodeJpegStream(std::FILE* stream, const QString& name);

}  // namespace kestra
