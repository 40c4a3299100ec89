#include <windows.h>

#include <vector>

#include "platform/WinServices.h"

namespace tallow {

namespace {

HKEY RootKey(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::CurrentUser:
            return HKEY_CURRENT_USER;
        case RegistryRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegistryRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
    }
    return HKEY_CURRENT_USER;
}

class TKey {
public:
    TKey(HKEY root, const std::string& path) {
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~TKey() {
        if (key_) {
            RegCloseKey(key_);
        }
    }
    TKey(const TKey&) = delete;
    TKey& operator=(const TKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

class TWinRegistry : public IRegistry {
public:
    std::optional<std::string> ReadString(RegistryRoot root, const std::string& path,
                                          const std::string& valueName) const override {
        TKey key(RootKey(root), path);
        if (!key.get()) {
            return std::nullopt;
        }
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        std::vector<char> buffer(size + 1, '\0');
        if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                             &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::string(buffer.data());  // stops at the terminator, if stored
    }
};

}  // namespace

IRegistry& WinRegistry() {
    static TWinRegistry registry;
    return registry;
}

}  // namespace tallow
