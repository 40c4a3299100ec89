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

REGSAM ViewFlag(RegistryView view) {
    switch (view) {
        case RegistryView::Own:
            return 0;
        case RegistryView::Bits32:
            return KEY_WOW64_32KEY;
        case RegistryView::Bits64:
            return KEY_WOW64_64KEY;
    }
    return 0;
}

class TKey {
  public:
    TKey(HKEY root, const std::string& path, RegistryView view) {
        LONG status = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | ViewFlag(view), &key_);
        if (status == ERROR_INVALID_PARAMETER && view != RegistryView::Own) {
            // A system older than the view flags has a single view.
            status = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key_);
        }
        if (status != ERROR_SUCCESS) {
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
    TRegistryString Read(RegistryRoot root,
                         RegistryView view,
                         const std::string& path,
                         const std::string& valueName) const override {
        TRegistryString result;
        TKey key(RootKey(root), path, view);
        result.keyFound = key.get() != nullptr;
        if (result.keyFound) {
            result.value = QueryString(key.get(), valueName);
        }
        return result;
    }

  private:
    static std::optional<std::string> QueryString(HKEY key, const std::string& valueName) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        std::vector<char> buffer(size + 1, '\0');
        if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
            ERROR_SUCCESS) {
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
