// The vendor's public key for update answers, built into the program from the
// PEM file that the build option TALLOW_UPDATE_KEY names.
#pragma once

#include <string_view>

namespace tallow {

/// The ECDSA P-256 public point X||Y (64 bytes) that signs genuine answers.
std::string_view BuiltInUpdateKey();

}  // namespace tallow
