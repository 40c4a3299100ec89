// Whole files read through the C library's streams: the portable way to read a
// picture or a skin where no platform file service is given (the portable tree
// and the tools). Names are in the system's ANSI code page, as everywhere else.
#pragma once

#include <cstddef>
#include <string>

namespace tallow {

enum class WholeFileStatus {
    Read,      // `content` is the whole file
    Missing,   // the file cannot be opened for reading
    TooLarge,  // larger than the limit; nothing was read
    Failed,    // the file was opened but could not be read
};

/// Reads `path` into `content` when it holds at most `limit` bytes; the size is
/// checked before anything is read, so a huge file costs no memory.
WholeFileStatus ReadWholeFile(const std::string& path, std::size_t limit, std::string& content);

/// True when `path` names a file that can be opened for reading.
bool FileOpensForReading(const std::string& path);

}  // namespace tallow
