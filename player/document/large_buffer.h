#pragma once

#include <cstdint>
#include <span>

// Asks the system to back the 2 MB-aligned interior of a large buffer that
// has not been touched yet with huge pages, so that filling a picture of tens
// of megabytes takes a few dozen page faults instead of thousands. Only a
// hint: without the system's support it does nothing.
void adviseHugePages(std::span<std::uint8_t> untouched);
