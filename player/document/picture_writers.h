#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "finished_buffer.h"

// The finished picture as a 24-bit BMP file: rows padded to 4 bytes, with the
// true image and file sizes in the headers.
std::vector<std::uint8_t> EncodeBmp(const FinishedBuffer& picture);

// The finished picture as a baseline JPEG of quality 100. Throws
// jigsaw::FormatError with the compressor's reason when it fails.
std::vector<std::uint8_t> EncodeJpeg(const FinishedBuffer& picture);

// Write the encoded picture to `path`, atomically: a failure throws
// jigsaw::FormatError that says why, wrapped around the cause, and leaves
// whatever file was there before.
void WriteBmp(const std::filesystem::path& path, const FinishedBuffer& picture);
void WriteJpeg(const std::filesystem::path& path, const FinishedBuffer& picture);

