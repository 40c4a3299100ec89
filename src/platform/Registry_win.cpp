#include <windows.h>

#include <vector>

#include "platform/AnsiText_win.h"
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

// The names of every value of the open `key` (none when they cannot be listed).
std::vector<std::wstring> ValueNames(HKEY key) {
    DWORD count = 0;
    DWORD longest = 0;
    std::vector<std::wstring> names;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
        return names;
    std::vector<wchar_t> name(longest + 1);
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = DWORD(name.size());
        if (RegEnumValueW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            names.emplace_back(name.data(), length);
    }
    return names;
}

// Values of the open `key`, and with `withSubkeys` of the keys below it, down to
// `depth` levels (a registry is no deeper than 512 levels, and no cleaned key close).
std::uint64_t CountValuesOf(HKEY key, bool withSubkeys, int depth) {
    DWORD subkeys = 0;
    DWORD values = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &longest, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    std::uint64_t count = values;
    if (!withSubkeys || depth <= 0)
        return count;
    std::vector<wchar_t> name(longest + 1);
    for (DWORD i = 0; i < subkeys; ++i) {
        DWORD length = DWORD(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name.data(), 0, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &child) != ERROR_SUCCESS)
            continue;
        count += CountValuesOf(child, true, depth - 1);
        RegCloseKey(child);
    }
    return count;
}

class TWinRegistry : public IRegistry {
  public:
    std::uint64_t CountValues(RegistryRoot root, const std::string& path, bool withSubkeys) const override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(RootKey(root), AnsiToWide(path).c_str(), 0, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &key) !=
            ERROR_SUCCESS)
            return 0;
        const std::uint64_t count = CountValuesOf(key, withSubkeys, 64);
        RegCloseKey(key);
        return count;
    }

    bool DeleteAllValues(RegistryRoot root, const std::string& path) override {
        HKEY key = nullptr;
        LONG status = RegOpenKeyExW(RootKey(root), AnsiToWide(path).c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
        if (status == ERROR_FILE_NOT_FOUND)
            return true;
        if (status != ERROR_SUCCESS)
            return false;
        // Listed first, deleted after: deleting while listing would skip values.
        for (const std::wstring& name : ValueNames(key))
            RegDeleteValueW(key, name.c_str());
        DWORD left = 0;
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &left, nullptr, nullptr, nullptr,
                         nullptr);
        RegCloseKey(key);
        return left == 0;
    }

    std::vector<std::pair<std::string, std::string>> ReadStrings(RegistryRoot root,
                                                                 const std::string& path) const override {
        std::vector<std::pair<std::string, std::string>> result;
        TKey key(RootKey(root), path, RegistryView::Own);
        DWORD count = 0;
        DWORD longestName = 0;
        if (!key.get() || RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                                           &longestName, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return result;
        // A longer text does not fit the buffer and is left out, so a hostile value
        // costs no more memory than this.
        std::vector<char> name(longestName + 1);
        std::vector<BYTE> data(kMaxListedText + 1);
        for (DWORD i = 0; i < count; ++i) {
            DWORD nameLength = DWORD(name.size());
            DWORD type = 0;
            DWORD size = DWORD(data.size() - 1);
            if (RegEnumValueA(key.get(), i, name.data(), &nameLength, nullptr, &type, data.data(), &size) !=
                    ERROR_SUCCESS ||
                (type != REG_SZ && type != REG_EXPAND_SZ))
                continue;
            data[size] = 0;
            result.emplace_back(std::string(name.data(), nameLength),
                                std::string(reinterpret_cast<const char*>(data.data())));
        }
        return result;
    }

    bool WriteString(RegistryRoot root,
                     const std::string& path,
                     const std::string& valueName,
                     const std::string& value) override {
        HKEY key = nullptr;
        if (RegCreateKeyExW(RootKey(root), AnsiToWide(path).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return false;
        const std::wstring text = AnsiToWide(value);
        const LONG status =
            RegSetValueExW(key, AnsiToWide(valueName).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           DWORD((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        return status == ERROR_SUCCESS;
    }

    bool DeleteValue(RegistryRoot root, const std::string& path, const std::string& valueName) override {
        HKEY key = nullptr;
        LONG status = RegOpenKeyExW(RootKey(root), AnsiToWide(path).c_str(), 0, KEY_SET_VALUE, &key);
        if (status == ERROR_FILE_NOT_FOUND)
            return true;
        if (status != ERROR_SUCCESS)
            return false;
        status = RegDeleteValueW(key, AnsiToWide(valueName).c_str());
        RegCloseKey(key);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }

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
