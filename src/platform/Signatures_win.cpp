#include <windows.h>

#include <bcrypt.h>

#include <cstring>
#include <vector>

#include "platform/Signatures.h"
#include "platform/WinServices.h"

namespace tallow {
namespace {

bool Succeeded(NTSTATUS status) {
    return status >= 0;
}

class TAlgorithm {
  public:
    explicit TAlgorithm(LPCWSTR id) {
        if (!Succeeded(BCryptOpenAlgorithmProvider(&handle_, id, nullptr, 0)))
            handle_ = nullptr;
    }
    ~TAlgorithm() {
        if (handle_)
            BCryptCloseAlgorithmProvider(handle_, 0);
    }
    TAlgorithm(const TAlgorithm&) = delete;
    TAlgorithm& operator=(const TAlgorithm&) = delete;
    BCRYPT_ALG_HANDLE Get() const { return handle_; }

  private:
    BCRYPT_ALG_HANDLE handle_ = nullptr;
};

class TKey {
  public:
    TKey(BCRYPT_ALG_HANDLE algorithm, std::string_view point) {
        // An ECCPUBLIC_BLOB: its header, then X and Y.
        std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + point.size());
        BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, static_cast<ULONG>(point.size() / 2)};
        memcpy(blob.data(), &header, sizeof header);
        memcpy(blob.data() + sizeof header, point.data(), point.size());
        if (!Succeeded(BCryptImportKeyPair(algorithm, nullptr, BCRYPT_ECCPUBLIC_BLOB, &handle_, blob.data(),
                                           static_cast<ULONG>(blob.size()), 0)))
            handle_ = nullptr;
    }
    ~TKey() {
        if (handle_)
            BCryptDestroyKey(handle_);
    }
    TKey(const TKey&) = delete;
    TKey& operator=(const TKey&) = delete;
    BCRYPT_KEY_HANDLE Get() const { return handle_; }

  private:
    BCRYPT_KEY_HANDLE handle_ = nullptr;
};

/// The SHA-256 hash of `data`; empty when the system cannot compute it.
std::vector<UCHAR> Sha256(std::string_view data) {
    TAlgorithm sha(BCRYPT_SHA256_ALGORITHM);
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (!sha.Get() || !Succeeded(BCryptCreateHash(sha.Get(), &hash, nullptr, 0, nullptr, 0, 0)))
        return {};
    std::vector<UCHAR> digest(32);
    bool ok = true;
    // BCryptHashData takes at most 4 GiB a call; pieces keep any size right.
    for (size_t done = 0; ok && done < data.size();) {
        const ULONG piece = static_cast<ULONG>(data.size() - done < 0x40000000 ? data.size() - done : 0x40000000);
        ok = Succeeded(BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(data.data() + done)), piece, 0));
        done += piece;
    }
    ok = ok && Succeeded(BCryptFinishHash(hash, digest.data(), static_cast<ULONG>(digest.size()), 0));
    BCryptDestroyHash(hash);
    return ok ? digest : std::vector<UCHAR>();
}

class TCngSignatureVerifier : public ISignatureVerifier {
  public:
    bool VerifyP256(std::string_view publicKey, std::string_view data, std::string_view signature) const override {
        if (publicKey.size() != kP256PublicKeySize || signature.size() != kP256SignatureSize)
            return false;
        std::vector<UCHAR> digest = Sha256(data);
        if (digest.empty())
            return false;
        TAlgorithm ecdsa(BCRYPT_ECDSA_P256_ALGORITHM);
        if (!ecdsa.Get())
            return false;
        TKey key(ecdsa.Get(), publicKey);
        if (!key.Get())
            return false;
        std::vector<UCHAR> sig(signature.begin(), signature.end());
        return BCryptVerifySignature(key.Get(), nullptr, digest.data(), static_cast<ULONG>(digest.size()), sig.data(),
                                     static_cast<ULONG>(sig.size()), 0) == 0;
    }
};

}  // namespace

ISignatureVerifier& CngSignatureVerifier() {
    static TCngSignatureVerifier verifier;
    return verifier;
}

}  // namespace tallow
