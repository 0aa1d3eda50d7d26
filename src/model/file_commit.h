// Writing a whole file so that a failure never costs the user the file that was there: the bytes go to a
// temporary file in the same folder, which replaces the target only after every byte was written and
// flushed to the disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace plotwell {

// Faults a test can ask for: fail the write at a byte position, or fail the final flush.
struct WriteFaults {
    int64_t fail_at_byte = -1;  // the write of this byte (0-based) fails; -1: never
    bool fail_flush = false;
};

// Writes `bytes` as the file at `path`. Returns false (and leaves any existing file untouched, with no
// temporary file left behind) when anything fails.
[[nodiscard]] bool commit_file(const std::string& path, std::span<const uint8_t> bytes,
                               const WriteFaults* faults = nullptr);

}  // namespace plotwell
