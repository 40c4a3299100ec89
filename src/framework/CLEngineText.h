// Text helpers of the application engine.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tallow {

/// Replaces every "{n}" in `text` (n written in decimal without leading zeros,
/// 1 to the number of arguments) by the n-th argument, in one pass over `text`:
/// what an argument brings in is never read as a placeholder. A placeholder
/// without an argument stays.
std::string FillPlaceholders(const std::string& text, const std::vector<std::string>& args);

/// Replaces every occurrence of `from` in `text` by `to` in one pass: text that
/// `to` brings in is not searched again. An empty `from` changes nothing.
/// `ignoreCase` compares ASCII letters without regard to case.
std::string ReplaceAll(const std::string& text,
                       const std::string& from,
                       const std::string& to,
                       bool ignoreCase = false);

/// The text shown for a key that the language lacks: "[LibRes]Key" or "[AppRes]Key".
std::string MissingTextMarker(const std::string& key, bool isLib);

/// The value of the first "Name=Value" line whose name equals `name` without
/// regard to letter case; nothing when no line has it.
std::optional<std::string> FindListValue(const std::vector<std::string>& lines, const std::string& name);

}  // namespace tallow
