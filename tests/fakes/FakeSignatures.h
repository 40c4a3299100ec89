// The system's signature check as a stand-in scheme: a "signature" is a keyed
// 64-byte tag of the data (FNV-1a over key and data, spread over eight words),
// so that a test can sign what it serves and every byte of key, data and
// signature matters, as with the real check. Not cryptography: a fake.
#pragma once

#include <string>
#include <string_view>

#include "platform/Signatures.h"

namespace tallow {

class TFakeSignatureVerifier : public ISignatureVerifier {
  public:
    /// The 64-byte tag the fake accepts for `data` under `publicKey`.
    static std::string Sign(std::string_view publicKey, std::string_view data);

    bool VerifyP256(std::string_view publicKey, std::string_view data, std::string_view signature) const override;
    mutable int checks = 0;
};

/// A key of the right size for the fake, made of `seed` repeated.
std::string FakeP256Key(char seed);

/// `answer` as the vendor's signing tool leaves it: a line end added when it
/// has none at its end, then the line "signature=" + base64 of the fake's tag
/// of everything before it, ended by CR LF.
std::string SignAnswerWithFake(std::string answer, std::string_view publicKey);

}  // namespace tallow
