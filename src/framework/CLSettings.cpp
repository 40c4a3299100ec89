#include "framework/CLSettings.h"

#include <climits>
#include <cmath>

#include "diagnostics/TraceSender.h"
#include "framework/CLSettingsValues.h"
#include "framework/SettingLists.h"
#include "platform/AtomicFile.h"

namespace tallow {

namespace {

const char kSection[] = "setting";
const char kConstFile[] = "const.dat";
const char kUserFlagFile[] = "UserFlag.ini";
const char kFlagSection[] = "Flag";
const char kAllUsersKey[] = "AllUsers";
const char kShowAgainSection[] = "ShowAgain";
const char kShowAgainResultSection[] = "ShowAgainModuleResult";

std::string WithTrailingBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    return path;
}

std::string WithoutTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

// Larger settings files are never parsed (nor rewritten): no settings file
// the program writes comes near it, and reading one whole costs memory and time.
const std::size_t kMaxSettingsFileSize = 1 << 20;

void TraceSettings(const std::string& text) {
    DebugTrace().TraceWithTag(text, "CLSettings");
}

struct TLoaded {
    TIniDocument doc;
    bool readable = true;  // false: too large or unreadable; the file must not be rewritten
};

TIniDocument ParseFileContent(const IFiles& files, const std::string& content) {
    return TIniDocument::Parse(
        IniTextToAnsi(content, [&](std::u16string_view text) { return files.WideToAnsi(text); }));
}

TLoaded LoadDocument(const IFiles& files, const std::string& path) {
    TLoaded loaded;
    TFileRead read = files.ReadFileUpTo(path, kMaxSettingsFileSize);
    switch (read.status) {
        case FileReadStatus::Read:
            loaded.doc = ParseFileContent(files, read.content);
            break;
        case FileReadStatus::Missing:
            break;
        case FileReadStatus::TooLarge:
            loaded.readable = false;
            TraceSettings(
                "Settings file larger than 1 MiB, not read; its keys count as empty and it is never "
                "rewritten: " +
                path);
            break;
        case FileReadStatus::Failed:
            loaded.readable = false;
            TraceSettings("Settings file cannot be read; its keys count as empty and it is not rewritten: " + path);
            break;
    }
    return loaded;
}

// The profile functions' Boolean: an integer, non-zero true; else `fallback`.
bool IniBool(const TIniDocument& doc, const char* section, const std::string& key, bool fallback) {
    auto text = doc.Find(section, key);
    auto value = text ? ParseSettingInteger(*text) : std::nullopt;
    return value ? *value != 0 : fallback;
}

}  // namespace

//--- Folders ---------------------------------------------------------------------------------------

std::string ComputeExeDir(const IProcessInfo& process, const IFiles& files) {
    const std::string module = process.ModuleFileName();
    const size_t slash = module.find_last_of('\\');
    const std::string dir = slash == std::string::npos ? std::string() : module.substr(0, slash + 1);
    const std::string longDir = dir.empty() ? std::string() : files.LongPathName(dir);
    return longDir.empty() ? dir : WithTrailingBackslash(longDir);
}

std::string MangleConfigName(const std::string& programPath) {
    std::string name = programPath;
    for (char& c : name) {
        if (c == '\\' || c == ':' || c == '/') {
            c = '_';
        }
    }
    return name;
}

bool CanWriteFolder(IFiles& files, ISecurity& security, const std::string& folder) {
    try {
        return files.CreateFolders(folder) && security.CanWriteFolder(folder);
    } catch (...) {
        return false;
    }
}

//--- Creation --------------------------------------------------------------------------------------

TCLSettings::TCLSettings(const TPlatform& platform, ISettingLists* lists, bool deferSaves)
    : platform_(platform), lists_(lists), policies_(TPolicySettings::Read(platform.registry)) {
    IFiles& files = *platform_.files;
    exeDir_ = ComputeExeDir(*platform_.process, files);
    constants_ = LoadDocument(files, exeDir_ + kConstFile).doc;
    oem_ = LoadDocument(files, exeDir_ + "oem." + kConstFile).doc;
    configName_ = ReadString("App.ConfigPath");
    if (configName_.empty()) {
        configName_ = MangleConfigName(platform_.process->ModuleFileName());
    }
    userDir_ = platform_.shellFolders->Folder("AppData") + "\\" + configName_ + "\\";
    commonDir_ = platform_.shellFolders->CommonFolder("Common AppData") + "\\" + configName_ + "\\";
    SelectSettingsDir(DecideAllUsers());
    runTimes_ = ReadInteger("RunTimes");
    if (deferSaves) {
        DeferSaves();
    }
    WriteInteger("RunTimes", runTimes_ < INT_MAX ? runTimes_ + 1 : INT_MAX);
}

TCLSettings::~TCLSettings() {
    try {
        SaveDeferred();
    } catch (...) {
        // the store ends either way; the file keeps what it held
    }
}

// Reads the stored choice from UserFlag.ini, corrects it when the all-users
// folder is not writable, and answers the stored value afterwards.
bool TCLSettings::DecideAllUsers() {
    IFiles& files = *platform_.files;
    const std::string flagFile = userDir_ + kUserFlagFile;
    files.CreateFolders(userDir_);
    TLoaded loaded = LoadDocument(files, flagFile);
    TIniDocument& flags = loaded.doc;
    std::optional<bool> toWrite;
    if (!flags.Find(kFlagSection, kAllUsersKey)) {
        toWrite = CanWriteFolder(files, *platform_.security, commonDir_);
    } else if (IniBool(flags, kFlagSection, kAllUsersKey, true) &&
               !CanWriteFolder(files, *platform_.security, commonDir_)) {
        toWrite = false;
    }
    if (!toWrite) {
        return IniBool(flags, kFlagSection, kAllUsersKey, true);  // the stored value, as just read
    }
    flags.Set(kFlagSection, kAllUsersKey, *toWrite ? "1" : "0");
    files.CreateFolders(userDir_);
    if (!loaded.readable ||
        !WriteFileAtomically(files, flagFile, flags.Serialize(), platform_.process->CurrentProcessId())) {
        return *toWrite;  // the file could not take the decision; it still holds
    }
    files.CreateFolders(userDir_);
    return IniBool(LoadDocument(files, flagFile).doc, kFlagSection, kAllUsersKey, true);
}

void TCLSettings::SelectSettingsDir(bool allUsers) {
    IFiles& files = *platform_.files;
    allUsers_ = allUsers;
    settingsDir_ = allUsers ? commonDir_ : userDir_;
    files.CreateFolders(settingsDir_);
    const std::string longDir = files.LongPathName(settingsDir_);
    settingsDir_ = WithTrailingBackslash(longDir.empty() ? settingsDir_ : longDir);
    settings_ = TIniDocument();
    if (!files.Exists(SettingsFile())) {
        WriteFileAtomically(files, SettingsFile(), " ", platform_.process->CurrentProcessId());
    }
    TLoaded loaded = LoadDocument(files, SettingsFile());
    settings_ = std::move(loaded.doc);
    held_ = !loaded.readable;
    if (held_) {
        TraceSettings("Settings are kept in memory only until the program ends");
    }
}

//--- Reads and writes ------------------------------------------------------------------------------

std::string TCLSettings::ReadString(const std::string& name) const {
    ISettingLists* lists = lists_;
    if (lists) {
        if (auto value = lists->FindOverwrite(name)) {
            return *value;
        }
    }
    if (auto value = policies_.Find(name)) {
        return *value;
    }
    for (const TIniDocument* doc : {&settings_, &oem_, &constants_}) {
        if (auto value = doc->Find(kSection, name)) {
            return *value;
        }
    }
    if (lists) {
        if (auto value = lists->FindDefault(name)) {
            return *value;
        }
    }
    DebugTrace().TraceWithTag("Setting Not Found :" + name, "CLSettings");
    return std::string();
}

void TCLSettings::WriteString(const std::string& name, const std::string& value) {
    Store(kSection, name, value);
}

void TCLSettings::WriteStrings(const std::vector<std::pair<std::string, std::string>>& values) {
    std::vector<TPendingWrite> writes;
    for (const auto& [name, value] : values) {
        writes.push_back({kSection, name, value});
    }
    StoreAll(writes);
}

void TCLSettings::Store(const std::string& section, const std::string& key, const std::string& value) {
    StoreAll({{section, key, value}});
}

void TCLSettings::StoreAll(const std::vector<TPendingWrite>& writes) {
    const TIniDocument before = settings_;
    const size_t mark = pending_.size();
    for (const TPendingWrite& w : writes) {
        if (w.section == kSection && policies_.Fixes(w.key)) {
            TraceSettings("Setting fixed by policy, not written: " + w.key);
            continue;
        }
        if (settings_.Set(w.section, w.key, w.value) && !held_) {
            pending_.push_back(w);
        }
    }
    if (held_ || deferring_ || pending_.size() == mark) {
        return;
    }
    if (Save() == SaveResult::TooLarge) {
        settings_ = before;
        pending_.resize(mark);
    }
}

int TCLSettings::ReadInteger(const std::string& name) const {
    return ParseSettingInteger(ReadString(name)).value_or(0);
}

void TCLSettings::WriteInteger(const std::string& name, int value) {
    WriteString(name, std::to_string(value));
}

double TCLSettings::ReadFloat(const std::string& name) const {
    return ParseSettingFloat(ReadString(name), platform_.locale->DecimalSeparator()).value_or(0.0);
}

void TCLSettings::WriteFloat(const std::string& name, double value) {
    WriteString(name, FormatSettingFloat(value, platform_.locale->DecimalSeparator()));
}

bool TCLSettings::ReadBool(const std::string& name) const {
    return ReadInteger(name) != 0;
}

void TCLSettings::WriteBool(const std::string& name, bool value) {
    WriteString(name, value ? "1" : "0");
}

//--- Show-again memory -----------------------------------------------------------------------------

bool TCLSettings::GetShowAgain(int module) const {
    return IniBool(settings_, kShowAgainSection, std::to_string(module), true);
}

void TCLSettings::SetShowAgain(int module, bool value) {
    Store(kShowAgainSection, std::to_string(module), value ? "1" : "0");
}

int TCLSettings::GetShowAgainResult(int module) const {
    auto text = settings_.Find(kShowAgainResultSection, std::to_string(module));
    auto value = text ? ParseSettingInteger(*text) : std::nullopt;
    return value.value_or(1);
}

void TCLSettings::SetShowAgainResult(int module, int result) {
    Store(kShowAgainResultSection, std::to_string(module), std::to_string(result));
}

bool TCLSettings::Flush() {
    return Save() == SaveResult::Saved;
}

void TCLSettings::DeferSaves() {
    if (deferring_) {
        return;
    }
    deferring_ = true;
    deferredMark_ = pending_.size();
    beforeDeferring_ = settings_;
}

void TCLSettings::SaveDeferred() {
    if (!deferring_) {
        return;
    }
    deferring_ = false;
    if (held_ || pending_.size() == deferredMark_) {
        return;
    }
    if (Save() == SaveResult::TooLarge) {
        settings_ = beforeDeferring_;
        pending_.resize(deferredMark_);
    }
}

TCLSettings::SaveResult TCLSettings::Save() {
    if (held_) {
        return SaveResult::Failed;
    }
    IFiles& files = *platform_.files;
    const std::string path = SettingsFile();
    // Other stores (App.Multiple, a second program on the same folder) rewrite
    // the same file: under the lock, take the file as it is now and lay this
    // store's own writes over it, so that neither loses the other's keys.
    std::unique_ptr<IFileLock> lock = files.LockFile(path + ".lock");
    if (!lock) {
        TraceSettings("Settings file stays locked by another writer; saving without the lock: " + path);
    }
    TIniDocument merged;
    TFileRead disk = files.ReadFileUpTo(path, kMaxSettingsFileSize);
    switch (disk.status) {
        case FileReadStatus::Read:
            merged = ParseFileContent(files, disk.content);
            for (const TPendingWrite& w : pending_) {
                merged.Set(w.section, w.key, w.value);
            }
            break;
        case FileReadStatus::Missing:
            merged = settings_;
            break;
        case FileReadStatus::TooLarge:
        case FileReadStatus::Failed:
            TraceSettings("Settings not saved: the settings file cannot be read back: " + path);
            return SaveResult::Failed;
    }
    const std::string content = merged.Serialize();
    // A larger file would never be read again: every key would count as empty.
    if (content.size() > kMaxSettingsFileSize) {
        TraceSettings("Settings not saved: the settings file would be larger than 1 MiB: " + path);
        return SaveResult::TooLarge;
    }
    if (!WriteFileAtomically(files, path, content, platform_.process->CurrentProcessId())) {
        TraceSettings("Settings not saved: the settings file cannot be replaced: " + path);
        return SaveResult::Failed;
    }
    settings_ = std::move(merged);
    pending_.clear();
    if (deferring_) {  // a Flush while deferring has saved what was held so far
        deferredMark_ = 0;
        beforeDeferring_ = settings_;
    }
    return SaveResult::Saved;
}

//--- Install age -----------------------------------------------------------------------------------

int TCLSettings::InstallAgeDays() const {
    const double now = platform_.clock->Now();
    int result = 0;
    for (const std::string& folder : {WithoutTrailingBackslash(exeDir_), userDir_, commonDir_}) {
        auto created = platform_.files->CreationTime(folder);
        if (!created) {
            continue;
        }
        const double days = std::floor(std::fabs(now - *created));
        if (days > result && days < 2147483647.0) {
            result = static_cast<int>(days);
        }
    }
    return result;
}

}  // namespace tallow
