#include "fakes/FakeSignatures.h"

#include <cstdint>

#include "components/Base64.h"

namespace tallow {
namespace {

const uint64_t kFnvBasis = 0xcbf29ce484222325ull;
const uint64_t kFnvPrime = 0x100000001b3ull;

uint64_t Mix(uint64_t hash, std::string_view bytes) {
    for (char c : bytes)
        hash = (hash ^ static_cast<uint8_t>(c)) * kFnvPrime;
    return hash;
}

}  // namespace

std::string TFakeSignatureVerifier::Sign(std::string_view publicKey, std::string_view data) {
    const uint64_t hash = Mix(Mix(Mix(kFnvBasis, publicKey), std::string_view("\xff", 1)), data);
    std::string tag;
    for (uint64_t word = 1; word <= 8; ++word) {
        const uint64_t value = (hash ^ (word * 0x9e3779b97f4a7c15ull)) * kFnvPrime;
        for (int shift = 0; shift < 64; shift += 8)
            tag += static_cast<char>((value >> shift) & 0xff);
    }
    return tag;
}

bool TFakeSignatureVerifier::VerifyP256(std::string_view publicKey,
                                        std::string_view data,
                                        std::string_view signature) const {
    ++checks;
    return publicKey.size() == kP256PublicKeySize && signature.size() == kP256SignatureSize &&
           signature == Sign(publicKey, data);
}

std::string FakeP256Key(char seed) {
    return std::string(kP256PublicKeySize, seed);
}

std::string SignAnswerWithFake(std::string answer, std::string_view publicKey) {
    if (!answer.empty() && answer.back() != '\n' && answer.back() != '\r')
        answer += "\r\n";
    return answer + "signature=" + Base64Encode(TFakeSignatureVerifier::Sign(publicKey, answer)) + "\r\n";
}

}  // namespace tallow
