// Rewriting a file so that a failure never leaves it truncated.
#pragma once

#include <string>

#include "platform/Files.h"

namespace tallow {

/// Writes `content` to a temporary file beside `path`, then moves it over
/// `path`. On any failure the temporary file is removed and `path` keeps its
/// old content; the result tells whether `path` now holds `content`.
bool WriteFileAtomically(IFiles& files, const std::string& path, const std::string& content);

}  // namespace tallow
