// What the cleaning scripts of the program's "res" folder remove, counted without
// running them, and the program starter that counts a script when it starts it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "cleaning/Tallying.h"
#include "platform/Platform.h"

namespace tallow {

/// What the scripts' counts read.
struct TScriptServices {
    IRegistry& registry;
    IFileTree& files;
    /// The user's roaming application data folder (%APPDATA%).
    std::string appData;
    /// A new URL history store; may be empty or give nullptr.
    std::function<std::unique_ptr<IUrlHistoryStore>()> urlHistory;
};

/// Adds to `tally` what the script `fileName` ("c1.bat", "c2.bat", "c3.bat"; letter
/// case ignored) removes: the values of the registry keys it deletes, the shortcuts
/// it deletes with their sizes, and the addresses of the URL history where the
/// script has the system clear it. False for any other script.
bool TallyScript(const std::string& fileName, TScriptServices& services, TItemTally& tally);

/// Counts the scripts it is asked to start. In preview nothing is started, and a
/// start answers success; in a clean the script is started (not waited for) and what
/// it was started to remove is counted once it started.
class TTallyingStarter : public IProgramStarter {
  public:
    TTallyingStarter(IProgramStarter& inner, TScriptServices services, TTallyMode mode, TItemTally& tally)
        : inner_(inner), services_(std::move(services)), mode_(mode), tally_(tally) {}
    bool Start(const TProcessRequest& request) override;

  private:
    IProgramStarter& inner_;
    TScriptServices services_;
    TTallyMode mode_;
    TItemTally& tally_;
};

}  // namespace tallow
