#include "cleaning/uCC.h"

#include <algorithm>

#include "cleaning/PathGuard.h"

namespace tallow {

std::string TrimBlanks(const std::string& text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    auto first = std::find_if_not(text.begin(), text.end(), blank);
    auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

TCleaners::TCleaners(const TPlatform& platform, ISettingsStore& settings)
    : p_(platform), settings_(settings), folders_(*platform.fileTree, *platform.systemFolders) {}

WindowHandle TCleaners::ApplicationWindow() const {
    if (!p_.windows)
        return 0;
    const WindowHandle main = p_.windows->FindOwnWindow("TfrmMain");
    return main != 0 ? main : p_.windows->ActiveWindow();
}

//--- System files and Windows history ---------------------------------------

void TCleaners::ClearClipboard() {
    if (!p_.clipboard->Open(ApplicationWindow()))
        throw EClipboardError();
    p_.clipboard->Empty();
    p_.clipboard->Close();
}

void TCleaners::EmptyRecycleBin() {
    p_.recycleBin->EmptyAll(ApplicationWindow());
}

void TCleaners::EmptyTempFolder() {
    try {
        std::string folder = TrimBlanks(p_.systemFolders->TempPath());
        auto attributes = p_.fileTree->Attributes(folder);
        if (!folder.empty() && attributes && (*attributes & file_attr::kDirectory))
            folders_.DeleteFolderContents(folder, true);
    } catch (const std::exception&) {
        // Emptying the temporary folder never reports a failure.
    }
}

void TCleaners::ClearRecentDocuments() {
    StartScript("res\\c3.bat");
}

void TCleaners::ClearRunHistory() {
    StartScript("res\\c1.bat");
}

//--- Internet Explorer ------------------------------------------------------

void TCleaners::RunIEHistoryScript() {
    StartScript("res\\c2.bat");
}

void TCleaners::DeleteIECache() {
    try {
        std::string folder = settings_.ShellFolder("Cache");
        if (!folder.empty())
            folders_.DeleteFolderContents(folder, true);
    } catch (const std::exception&) {
        // Deleting the cache never reports a failure.
    }
}

//--- Helpers ----------------------------------------------------------------

void TCleaners::StartScript(const std::string& name) {
    StartProgram(settings_.ExeDir() + name, "", true, -1, false);
}

bool TCleaners::StartProgram(const std::string& file,
                             const std::string& parameters,
                             bool hidden,
                             int timeoutMs,
                             bool wait) {
    std::string path = file;
    std::replace(path.begin(), path.end(), '/', '\\');
    if (!IsAbsolutePath(path))
        path = WithTrailingBackslash(settings_.ExeDir()) + path;
    TProcessRequest request;
    request.application = path;
    request.commandLine = "\"" + path + "\" " + parameters;
    request.workingFolder = path.substr(0, path.find_last_of('\\') + 1);
    request.hidden = hidden;
    request.timeoutMs = timeoutMs;
    request.wait = wait;
    return p_.starter->Start(request);
}

bool TCleaners::DeleteFolderContents(const std::string& folder, bool recursive) {
    return folders_.DeleteFolderContents(folder, recursive);
}

}  // namespace tallow
