// Previewing and cleaning from the command line, without a window:
//
//   /preview            /preview=ITEM,ITEM     what the items would remove
//   /clean              /clean=ITEM,ITEM       clean them, as the clear-all run does
//   /report=PATH                               the report goes to PATH
//
// Without a list the items are those the setting "Clean.Items" names (comma-
// separated), or every item when it names none. The report is CSV, one line
// per item in catalogue order under the header "item,entries,bytes,status". It
// goes to the report file, else to the console the program was started from.
// Option names ignore letter case and may start with '-' as well as '/';
// single-letter switches beside them keep their own meaning.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cleaning/ItemTally.h"
#include "framework/SettingsStore.h"
#include "platform/Platform.h"
#include "runner/MainWindow.h"

namespace tallow {

/// The process exit codes of a run from the command line.
enum TCommandLineExit : int {
    kExitDone = 0,        // every item previewed or cleaned
    kExitIncomplete = 1,  // an item was in use or failed, or the report could not be written
    kExitBadOption = 2,   // an unknown item name or a bad option; the reason is on the console
};

enum class TCommandLineAction { kNone, kPreview, kClean };

struct TCommandLineOptions {
    TCommandLineAction action = TCommandLineAction::kNone;
    /// The items named on the command line, in catalogue order, each once;
    /// empty when no list was given.
    std::vector<int> items;
    /// Empty: the report goes to the console.
    std::string reportPath;
    /// Why the command line is refused; empty when it is fine.
    std::string error;
};

/// Whether a parameter is an option of a run from the command line.
bool IsCommandLineOption(std::string_view parameter);
/// Reads the options; `error` tells what is wrong with them.
TCommandLineOptions ParseCommandLine(const std::vector<std::string>& parameters);

struct TItemSelection {
    std::vector<int> items;  // in catalogue order
    std::string error;       // an unknown name in the setting
};

/// The items of the run: the command line's list, else "Clean.Items", else every item.
TItemSelection SelectItems(const TCommandLineOptions& options, const ISettingsStore& settings);

/// The report's lines: the header, then one line per item.
std::string FormatReport(const std::vector<std::pair<int, TItemTally>>& results);
/// `field` as one CSV field: quoted (quotes doubled) when it holds a comma, a
/// quote or a line break; as it is otherwise.
std::string CsvField(std::string_view field);
/// kExitDone, or kExitIncomplete when an item was in use or failed.
int ExitCodeFor(const std::vector<std::pair<int, TItemTally>>& results);

struct TCommandLineServices {
    ISettingsStore* settings = nullptr;
    IFiles* files = nullptr;
    IParentConsole* console = nullptr;
    /// Names the report's temporary file (the process id).
    std::uint32_t writer = 0;
    /// Makes the item runner once the options are known to be good.
    std::function<std::unique_ptr<IItemRunner>()> itemRunner;
};

/// The whole run: options, items, preview or clean, report. The process exit code.
int RunCommandLine(const std::vector<std::string>& parameters, const TCommandLineServices& services);

/// The run from the command line as the runner starts it, over the process's
/// platform and settings store; `itemRunner` makes the item runner.
class TCommandLineRun : public IWindowlessRun {
  public:
    explicit TCommandLineRun(std::function<std::unique_ptr<IItemRunner>(const TPlatform&, ISettingsStore&)> itemRunner);
    bool Wanted(const std::vector<std::string>& parameters) const override;
    int Run(const std::vector<std::string>& parameters) override;

  private:
    std::function<std::unique_ptr<IItemRunner>(const TPlatform&, ISettingsStore&)> itemRunner_;
};

}  // namespace tallow
