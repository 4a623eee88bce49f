#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace jigsaw {

// Writes the parts one after another into `path` through a temporary file in
// the same folder, flushed to disk and then renamed over the target, so that
// the target is either the old file or the complete new one. Throws
// FormatError with the system's reason when anything fails; the temporary
// file is removed then.
void writeFileAtomically(const std::filesystem::path& path, std::span<const std::span<const std::uint8_t>> parts);

}  // namespace jigsaw
