// Signature checks by the system's cryptography: ECDSA on the NIST P-256 curve
// over SHA-256, as the vendor signs its update answers.
#pragma once

#include <cstddef>
#include <string_view>

namespace tallow {

/// Sizes of the raw forms the checks take.
constexpr size_t kP256PublicKeySize = 64;  // the point X||Y, 32 bytes each, big-endian
constexpr size_t kP256SignatureSize = 64;  // r||s, 32 bytes each (IEEE P1363)

class ISignatureVerifier {
  public:
    virtual ~ISignatureVerifier() = default;
    /// Whether `signature` (r||s) is a signature of the SHA-256 hash of `data` by
    /// the private key of `publicKey` (X||Y). False for keys or signatures of
    /// other sizes, a point off the curve, and any failure of the system. Safe
    /// to call from any thread.
    virtual bool VerifyP256(std::string_view publicKey, std::string_view data, std::string_view signature) const = 0;
};

}  // namespace tallow
