// Read access to the Windows registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tallow {

enum class RegistryRoot { CurrentUser, LocalMachine, ClassesRoot };

/// The view of the registry a read uses. On 64-bit Windows a 32-bit program's reads of
/// HKEY_LOCAL_MACHINE\SOFTWARE land in the 32-bit view, a 64-bit program's in the 64-bit
/// view; `Own` is the calling program's. Windows with a single view reads that view.
enum class RegistryView { Own, Bits32, Bits64 };

/// One string value as read: whether its key opened, and the value when the key holds
/// it as a string.
struct TRegistryString {
    bool keyFound = false;
    std::optional<std::string> value;
};

class IRegistry {
  public:
    virtual ~IRegistry() = default;
    /// Opens key `path` under `root` in `view` and reads its string value `valueName`
    /// ("" for the default value; REG_SZ or REG_EXPAND_SZ, unexpanded). The value is
    /// missing when the key is, or when the key lacks the value or holds another type.
    virtual TRegistryString Read(RegistryRoot root,
                                 RegistryView view,
                                 const std::string& path,
                                 const std::string& valueName) const = 0;

    /// Deletes every value of key `path` under `root` (the program's own view); its
    /// subkeys and their values stay. True when the key is gone or holds no value
    /// afterwards.
    virtual bool DeleteAllValues(RegistryRoot root, const std::string& path) = 0;

    /// Every string value (REG_SZ or REG_EXPAND_SZ, unexpanded) of key `path` under `root`
    /// in the program's own view, as name and text; none when the key is missing. Values
    /// of other types, and texts longer than `kMaxListedText` bytes, are left out.
    virtual std::vector<std::pair<std::string, std::string>> ReadStrings(RegistryRoot root,
                                                                         const std::string& path) const = 0;
    static constexpr size_t kMaxListedText = 32 * 1024;

    /// Sets string value `valueName` of key `path` under `root` (the program's own view),
    /// creating the key when needed. True when the value was stored.
    virtual bool WriteString(RegistryRoot root,
                             const std::string& path,
                             const std::string& valueName,
                             const std::string& value) = 0;
    /// Deletes value `valueName` of key `path`. True when the value is gone afterwards.
    virtual bool DeleteValue(RegistryRoot root, const std::string& path, const std::string& valueName) = 0;
    /// The number of values of key `path` under `root` (the program's own view); with
    /// `withSubkeys`, those of all its subkeys too. 0 when the key does not open.
    virtual std::uint64_t CountValues(RegistryRoot root, const std::string& path, bool withSubkeys) const = 0;

    /// The value of `Read` in the program's own view.
    std::optional<std::string> ReadString(RegistryRoot root,
                                          const std::string& path,
                                          const std::string& valueName) const {
        return Read(root, RegistryView::Own, path, valueName).value;
    }
};

}  // namespace tallow
