// The vendor's signature on an update answer.
//
// The answer's last line is "signature=" and the padded standard base64 of the
// 64-byte ECDSA P-256 signature r||s. It signs every byte before that line,
// exactly as received, line ends included. One line end may follow it.
#pragma once

#include <string_view>

#include "platform/Signatures.h"

namespace tallow {

enum class TSignatureStatus {
    Good,       // signed by the key
    Missing,    // the last line is no signature line
    Malformed,  // its value is no base64 of 64 bytes
    Wrong,      // a signature, but not of these bytes by this key
};

struct TAnswerSignature {
    TSignatureStatus status = TSignatureStatus::Missing;
    /// The signed bytes before the signature line; empty unless Good.
    std::string_view body;
};

/// Checks the signature line of `answer` against `publicKey` (X||Y). `body`
/// points into `answer`.
TAnswerSignature CheckAnswerSignature(std::string_view answer,
                                      std::string_view publicKey,
                                      const ISignatureVerifier& verifier);

/// A word for the debug trace: "good", "missing", "malformed" or "wrong".
const char* SignatureStatusName(TSignatureStatus status);

}  // namespace tallow
