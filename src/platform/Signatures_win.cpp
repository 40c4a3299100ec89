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

// The functions of bcrypt.dll, loaded when an answer is first checked rather
// than when the program starts: on some systems the library brings a whole
// cryptography stack into the process, which a start that checks nothing
// should not pay for in time or memory.
struct TBcrypt {
    decltype(&BCryptOpenAlgorithmProvider) OpenAlgorithmProvider = nullptr;
    decltype(&BCryptCloseAlgorithmProvider) CloseAlgorithmProvider = nullptr;
    decltype(&BCryptImportKeyPair) ImportKeyPair = nullptr;
    decltype(&BCryptDestroyKey) DestroyKey = nullptr;
    decltype(&BCryptCreateHash) CreateHash = nullptr;
    decltype(&BCryptHashData) HashData = nullptr;
    decltype(&BCryptFinishHash) FinishHash = nullptr;
    decltype(&BCryptDestroyHash) DestroyHash = nullptr;
    decltype(&BCryptVerifySignature) VerifySignature = nullptr;
    bool loaded = false;
};

template <typename Fn>
bool Bind(HMODULE library, const char* name, Fn& fn) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return fn != nullptr;
}

const TBcrypt& Bcrypt() {
    static const TBcrypt api = [] {
        TBcrypt a;
        HMODULE library = LoadLibraryA("bcrypt.dll");  // stays loaded for the process
        a.loaded = library != nullptr && Bind(library, "BCryptOpenAlgorithmProvider", a.OpenAlgorithmProvider) &&
                   Bind(library, "BCryptCloseAlgorithmProvider", a.CloseAlgorithmProvider) &&
                   Bind(library, "BCryptImportKeyPair", a.ImportKeyPair) &&
                   Bind(library, "BCryptDestroyKey", a.DestroyKey) &&
                   Bind(library, "BCryptCreateHash", a.CreateHash) && Bind(library, "BCryptHashData", a.HashData) &&
                   Bind(library, "BCryptFinishHash", a.FinishHash) &&
                   Bind(library, "BCryptDestroyHash", a.DestroyHash) &&
                   Bind(library, "BCryptVerifySignature", a.VerifySignature);
        return a;
    }();
    return api;
}

class TAlgorithm {
  public:
    explicit TAlgorithm(LPCWSTR id) {
        if (!Succeeded(Bcrypt().OpenAlgorithmProvider(&handle_, id, nullptr, 0)))
            handle_ = nullptr;
    }
    ~TAlgorithm() {
        if (handle_)
            Bcrypt().CloseAlgorithmProvider(handle_, 0);
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
        if (!Succeeded(Bcrypt().ImportKeyPair(algorithm, nullptr, BCRYPT_ECCPUBLIC_BLOB, &handle_, blob.data(),
                                           static_cast<ULONG>(blob.size()), 0)))
            handle_ = nullptr;
    }
    ~TKey() {
        if (handle_)
            Bcrypt().DestroyKey(handle_);
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
    if (!sha.Get() || !Succeeded(Bcrypt().CreateHash(sha.Get(), &hash, nullptr, 0, nullptr, 0, 0)))
        return {};
    std::vector<UCHAR> digest(32);
    bool ok = true;
    // BCryptHashData takes at most 4 GiB a call; pieces keep any size right.
    for (size_t done = 0; ok && done < data.size();) {
        const ULONG piece = static_cast<ULONG>(data.size() - done < 0x40000000 ? data.size() - done : 0x40000000);
        ok = Succeeded(Bcrypt().HashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(data.data() + done)), piece, 0));
        done += piece;
    }
    ok = ok && Succeeded(Bcrypt().FinishHash(hash, digest.data(), static_cast<ULONG>(digest.size()), 0));
    Bcrypt().DestroyHash(hash);
    return ok ? digest : std::vector<UCHAR>();
}

class TCngSignatureVerifier : public ISignatureVerifier {
  public:
    bool VerifyP256(std::string_view publicKey, std::string_view data, std::string_view signature) const override {
        if (publicKey.size() != kP256PublicKeySize || signature.size() != kP256SignatureSize || !Bcrypt().loaded)
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
        return Bcrypt().VerifySignature(key.Get(), nullptr, digest.data(), static_cast<ULONG>(digest.size()), sig.data(),
                                     static_cast<ULONG>(sig.size()), 0) == 0;
    }
};

}  // namespace

ISignatureVerifier& CngSignatureVerifier() {
    static TCngSignatureVerifier verifier;
    return verifier;
}

}  // namespace tallow
