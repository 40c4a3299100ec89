#include "framework/CLEngineRequest.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "components/TextCase.h"
#include "framework/CLEngine.h"
#include "framework/CLEngineText.h"

namespace tallow {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

bool KeptByUrlEncode(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
        return true;
    }
    switch (c) {
        case '!':
        case '$':
        case '\'':
        case '(':
        case ')':
        case '*':
        case '-':
        case '.':
        case '_':
        case '@':
            return true;
        default:
            return false;
    }
}

/// `text` without the blanks and control characters at either end.
std::string TrimControls(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') {
        ++first;
    }
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') {
        --last;
    }
    return text.substr(first, last - first);
}

}  // namespace

std::string UrlEncode(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (KeptByUrlEncode(c)) {
            out += ch;
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += kHexDigits[c >> 4];
            out += kHexDigits[c & 0x0F];
        }
    }
    return out;
}

std::string HexEncode(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        out += kHexDigits[c >> 4];
        out += kHexDigits[c & 0x0F];
    }
    return out;
}

uint32_t PackVersion(const std::string& version) {
    const std::string text = version.substr(0, version.find(' '));
    std::vector<std::string> parts(1);
    for (char ch : text) {
        if (ch == '.') {
            parts.emplace_back();
        } else {
            parts.back() += ch;
        }
    }
    if (parts.size() != 4) {
        return 0;
    }
    uint32_t packed = 0;
    for (const std::string& part : parts) {
        uint32_t value = 0;
        bool number = !part.empty();
        for (char ch : part) {
            if (ch < '0' || ch > '9') {
                number = false;
                break;
            }
            value = value * 10 + static_cast<uint32_t>(ch - '0');  // wraps; only the low byte counts
        }
        packed = (packed << 8) | (number ? (value & 0xFF) : 0);
    }
    return packed;
}

std::string AppendQuery(const std::string& address, const std::string& query) {
    if (address.empty()) {
        return query;
    }
    if (address.find('?') == std::string::npos) {
        return address + "?" + query;
    }
    const char last = address.back();
    return (last == '&' || last == '?') ? address + query : address + "&" + query;
}

std::string ReadRegistryString(const IRegistry& registry,
                               RegistryRoot root,
                               const std::string& path,
                               const std::string& valueName,
                               const std::string& fallback) {
    return registry.ReadString(root, path, valueName).value_or(fallback);
}

std::string ChannelFileName(const std::string& channel) {
    std::string unquoted;
    for (char ch : channel) {
        if (ch != '"') {
            unquoted += ch;
        }
    }
    const size_t cut = unquoted.find_last_of("\\:");
    return cut == std::string::npos ? unquoted : unquoted.substr(cut + 1);
}

std::string RequestTimeStamp(double now) {
    constexpr long long kMsPerDay = 86400000;
    long long msOfDay = std::llround(now * static_cast<double>(kMsPerDay)) % kMsPerDay;
    if (msOfDay < 0) {
        msOfDay += kMsPerDay;
    }
    char text[8];
    std::snprintf(text, sizeof text, "%02d%03d", static_cast<int>(msOfDay / 1000 % 60),
                  static_cast<int>(msOfDay % 1000));
    return text;
}

//--- The engine's request addresses ----------------------------------------------

std::string TCLEngine::GetPageURL(const std::string& name, bool withQuery) {
    std::string address = settings_.ReadString("URL." + name);
    if (!TrimControls(address).empty()) {
        std::string folder = settings_.ExeDir();
        if (!folder.empty() && folder.back() == '\\') {
            folder.pop_back();
        }
        address = ReplaceAll(address, "%exepath%", folder, true);
    } else {
        address = settings_.ReadString("URL.Redirect");
    }
    if (withQuery && StartsWithText(address, "http")) {
        return AppendQuery(address, "ACTION=" + name + "&" + BuildRequestQuery());
    }
    return address;
}

std::string TCLEngine::BuildRequestQuery() {
    const std::string channel =
        ChannelFileName(ReadRegistryString(*platform_.registry, RegistryRoot::LocalMachine,
                                           "Software\\" + settings_.ReadString("App.RegPath"), "CHL", "unknow"));
    std::string pid = settings_.ReadString("App.PID");
    if (pid.empty()) {
        pid = settings_.ReadString("App.MagicWord");
    }
    const WindowsVersionInfo windows = platform_.systemInfo->Version();
    char version[9];
    std::snprintf(version, sizeof version, "%08X", static_cast<unsigned>(PackVersion(settings_.ReadString("App.Ver"))));
    const std::string windowsVersion =
        std::to_string(windows.major) + "_" + std::to_string(windows.minor) + "_" + windows.servicePack;

    return RequestTimeStamp(platform_.clock->Now())                                   //
           + "&PID=" + UrlEncode(pid)                                                 //
           + "&LANG=" + UrlEncode(settings_.ReadString("Language"))                   //
           + "&DAY=" + std::to_string(settings_.InstallAgeDays())                     //
           + "&RUNTIME=" + std::to_string(settings_.RunTimes())                       //
           + "&VER=" + version                                                        //
           + "&SVER=" + std::to_string(settings_.ReadInteger("App.SubVer"))           //
           + "&WVER=" + UrlEncode(windowsVersion)                                     //
           + "&WLANG=" + std::to_string(platform_.systemInfo->SystemDefaultLangId())  //
           + "&CHL=" + UrlEncode(HexEncode(channel));
}

}  // namespace tallow
