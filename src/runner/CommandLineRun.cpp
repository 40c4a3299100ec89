#include "runner/CommandLineRun.h"

#include <exception>
#include <optional>

#include "cleaning/Catalogue.h"
#include "diagnostics/TraceSender.h"
#include "framework/CLSettings.h"
#include "platform/AtomicFile.h"

namespace tallow {

namespace {

constexpr char kTraceTag[] = "CLCommandLine";
constexpr char kReportHeader[] = "item,entries,bytes,status\r\n";

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return lower;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

void Trace(const std::string& text) {
    DebugTrace().TraceWithTag(text, kTraceTag);
}

//--- Options ---------------------------------------------------------------------------------------

// A parameter "/name" or "/name=value" ('-' in place of '/'), its name in lower case.
struct TOption {
    std::string name;
    bool hasValue = false;
    std::string value;
};

std::optional<TOption> SplitOption(std::string_view parameter) {
    if (parameter.size() < 2 || (parameter[0] != '/' && parameter[0] != '-')) {
        return std::nullopt;
    }
    const size_t equals = parameter.find('=');
    TOption option;
    option.name = LowerAscii(parameter.substr(1, equals == std::string_view::npos ? equals : equals - 1));
    option.hasValue = equals != std::string_view::npos;
    option.value = option.hasValue ? std::string(parameter.substr(equals + 1)) : std::string();
    return option;
}

bool IsActionName(const std::string& name) {
    return name == "preview" || name == "clean";
}

// The items a comma-separated list names, in catalogue order and each once
// (blanks around a name and empty places are passed over; letter case is ignored).
TItemSelection ItemsOfList(std::string_view list) {
    std::vector<bool> named(kItemCount + 1, false);
    for (;;) {
        const size_t comma = list.find(',');
        const std::string_view name = TrimBlanks(list.substr(0, comma));
        if (!name.empty()) {
            const int item = FindItemByName(LowerAscii(name));
            if (item == 0) {
                return {{}, "unknown item \"" + std::string(name) + "\""};
            }
            named[item] = true;
        }
        if (comma == std::string_view::npos) {
            break;
        }
        list.remove_prefix(comma + 1);
    }
    TItemSelection selection;
    for (int item = 1; item <= kItemCount; ++item) {
        if (named[item]) {
            selection.items.push_back(item);
        }
    }
    return selection;
}

std::string TakeAction(const TOption& option, TCommandLineOptions& options) {
    const auto action = option.name == "preview" ? TCommandLineAction::kPreview : TCommandLineAction::kClean;
    if (options.action == action) {
        return "/" + option.name + " is given twice";
    }
    if (options.action != TCommandLineAction::kNone) {
        return "/preview and /clean cannot be combined";
    }
    options.action = action;
    if (!option.hasValue) {
        return "";
    }
    TItemSelection listed = ItemsOfList(option.value);
    if (listed.error.empty() && listed.items.empty()) {
        listed.error = "no item names after /" + option.name + "=";
    }
    options.items = std::move(listed.items);
    return listed.error;
}

std::string TakeReport(const TOption& option, TCommandLineOptions& options) {
    if (!option.hasValue || option.value.empty()) {
        return "/report needs a file: /report=PATH";
    }
    if (!options.reportPath.empty()) {
        return "/report is given twice";
    }
    options.reportPath = option.value;
    return "";
}

// Takes one parameter into `options`; the reason when it is refused.
std::string TakeParameter(const std::string& parameter, TCommandLineOptions& options) {
    const std::optional<TOption> option = SplitOption(parameter);
    if (!option) {
        return "unexpected parameter \"" + parameter + "\"";
    }
    if (option->name.size() == 1 && !option->hasValue) {
        return "";  // a switch, which the runner has applied
    }
    if (IsActionName(option->name)) {
        return TakeAction(*option, options);
    }
    if (option->name == "report") {
        return TakeReport(*option, options);
    }
    return "unknown option \"" + parameter + "\"";
}

//--- The run ---------------------------------------------------------------------------------------

void WriteConsole(const TCommandLineServices& services, ConsoleStream stream, const std::string& text) {
    if (services.console) {
        services.console->Write(stream, text);
    }
}

std::string Usage() {
    std::string usage = "Options: /preview[=ITEM,ITEM...] or /clean[=ITEM,ITEM...], and /report=PATH\r\nItems:";
    for (int item = 1; item <= kItemCount; ++item) {
        usage += std::string(item == 1 ? " " : ", ") + CatalogueItemName(item);
    }
    return usage + "\r\n";
}

int Refuse(const std::string& reason, const TCommandLineServices& services) {
    Trace(reason);
    WriteConsole(services, ConsoleStream::Error, reason + "\r\n" + Usage());
    return kExitBadOption;
}

std::unique_ptr<IItemRunner> MakeItemRunner(const TCommandLineServices& services) {
    try {
        return services.itemRunner ? services.itemRunner() : nullptr;
    } catch (const std::exception& e) {
        Trace(std::string("No item runner: ") + e.what());
        return nullptr;
    }
}

// One item's preview or clean; an item that cannot be run, or whose run
// throws, has failed.
TItemTally RunItem(IItemRunner* runner, TCommandLineAction action, int item) {
    TItemTally tally;
    tally.status = TItemStatus::kFailed;
    try {
        if (runner) {
            tally = action == TCommandLineAction::kPreview ? runner->Preview(item) : runner->Clean(item);
        }
    } catch (const std::exception& e) {
        Trace(std::string(CatalogueItemName(item)) + ": " + e.what());
    }
    Trace(std::string(CatalogueItemName(item)) + ": " + std::to_string(tally.entries) + " entries, " +
          std::to_string(tally.bytes) + " bytes, " + ItemStatusText(tally.status));
    return tally;
}

// The report to its file, else to the console. When the file cannot be
// written, the reason and the report go to the console; false then.
bool DeliverReport(const std::string& report, const std::string& path, const TCommandLineServices& services) {
    if (!path.empty() && WriteFileAtomically(*services.files, path, report, services.writer)) {
        return true;
    }
    if (!path.empty()) {
        const std::string reason = "cannot write the report to \"" + path + "\"";
        Trace(reason);
        WriteConsole(services, ConsoleStream::Error, reason + "\r\n");
    }
    WriteConsole(services, ConsoleStream::Output, report);
    return path.empty();
}

}  // namespace

//--- Options and items -----------------------------------------------------------------------------

bool IsCommandLineOption(std::string_view parameter) {
    const std::optional<TOption> option = SplitOption(parameter);
    return option && (IsActionName(option->name) || option->name == "report");
}

TCommandLineOptions ParseCommandLine(const std::vector<std::string>& parameters) {
    TCommandLineOptions options;
    for (const std::string& parameter : parameters) {
        options.error = TakeParameter(parameter, options);
        if (!options.error.empty()) {
            return options;
        }
    }
    if (options.action == TCommandLineAction::kNone) {
        options.error = "/report needs /preview or /clean";
    }
    return options;
}

TItemSelection SelectItems(const TCommandLineOptions& options, const ISettingsStore& settings) {
    if (!options.items.empty()) {
        return {options.items, ""};
    }
    TItemSelection selection = ItemsOfList(settings.ReadString("Clean.Items"));
    if (!selection.error.empty()) {
        selection.error = "setting Clean.Items: " + selection.error;
    } else if (selection.items.empty()) {
        for (int item = 1; item <= kItemCount; ++item) {
            selection.items.push_back(item);
        }
    }
    return selection;
}

//--- The report ------------------------------------------------------------------------------------

std::string CsvField(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(field);
    }
    std::string quoted = "\"";
    for (char c : field) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

std::string FormatReport(const std::vector<std::pair<int, TItemTally>>& results) {
    std::string report = kReportHeader;
    for (const auto& [item, tally] : results) {
        report += CsvField(CatalogueItemName(item)) + "," + std::to_string(tally.entries) + "," +
                  std::to_string(tally.bytes) + "," + CsvField(ItemStatusText(tally.status)) + "\r\n";
    }
    return report;
}

int ExitCodeFor(const std::vector<std::pair<int, TItemTally>>& results) {
    for (const auto& [item, tally] : results) {
        if (tally.status == TItemStatus::kInUse || tally.status == TItemStatus::kFailed) {
            return kExitIncomplete;
        }
    }
    return kExitDone;
}

//--- The run ---------------------------------------------------------------------------------------

int RunCommandLine(const std::vector<std::string>& parameters, const TCommandLineServices& services) {
    const TCommandLineOptions options = ParseCommandLine(parameters);
    const TItemSelection selection =
        options.error.empty() ? SelectItems(options, *services.settings) : TItemSelection{{}, options.error};
    if (!selection.error.empty()) {
        return Refuse(selection.error, services);
    }
    const std::unique_ptr<IItemRunner> runner = MakeItemRunner(services);
    std::vector<std::pair<int, TItemTally>> results;
    for (int item : selection.items) {
        results.emplace_back(item, RunItem(runner.get(), options.action, item));
    }
    const bool delivered = DeliverReport(FormatReport(results), options.reportPath, services);
    return delivered ? ExitCodeFor(results) : kExitIncomplete;
}

TCommandLineRun::TCommandLineRun(
    std::function<std::unique_ptr<IItemRunner>(const TPlatform&, ISettingsStore&)> itemRunner)
    : itemRunner_(std::move(itemRunner)) {}

bool TCommandLineRun::Wanted(const std::vector<std::string>& parameters) const {
    for (const std::string& parameter : parameters) {
        if (IsCommandLineOption(parameter)) {
            return true;
        }
    }
    return false;
}

int TCommandLineRun::Run(const std::vector<std::string>& parameters) {
    const TPlatform& platform = SystemPlatform();
    ISettingsStore& settings = AppSettings();
    TCommandLineServices services;
    services.settings = &settings;
    services.files = platform.files;
    services.console = platform.console;
    services.writer = platform.process->CurrentProcessId();
    services.itemRunner = [this, &platform, &settings] {
        return itemRunner_ ? itemRunner_(platform, settings) : std::unique_ptr<IItemRunner>();
    };
    try {
        return RunCommandLine(parameters, services);
    } catch (const std::exception& e) {
        Trace(std::string("Command line run failed: ") + e.what());
        WriteConsole(services, ConsoleStream::Error, std::string(e.what()) + "\r\n");
        return kExitIncomplete;
    }
}

}  // namespace tallow
