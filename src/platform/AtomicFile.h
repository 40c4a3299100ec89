// Rewriting a file so that a failure never leaves it truncated.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Files.h"

namespace tallow {

/// Writes `content` to a temporary file beside `path`, then moves it over
/// `path`. The temporary file is named after `writer` (the writing process's
/// id), so that writers in different processes never share one; a left-over
/// file or folder of that name (from a writer that died) is cleared first, and
/// one that cannot be cleared is passed over for the next name. On any failure
/// the temporary file is removed and `path` keeps its old content; the result
/// tells whether `path` now holds `content`. Threads of one process that
/// rewrite the same file take turns (the settings store holds IFiles::LockFile).
bool WriteFileAtomically(IFiles& files, const std::string& path, const std::string& content, std::uint32_t writer = 0);

/// How many temporary names one rewrite tries.
inline constexpr int kAtomicWriteAttempts = 4;

/// The temporary name of the `attempt`th try (from 0) of `writer` to rewrite `path`.
std::string AtomicTemporaryName(const std::string& path, std::uint32_t writer, int attempt);

}  // namespace tallow
