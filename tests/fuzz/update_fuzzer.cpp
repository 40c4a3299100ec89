// libFuzzer entry for the update server's answer: the parser and a manual check
// that handles the answer on the fake settings store.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fakes/FakePlatform.h"
#include "fakes/FakeSettings.h"
#include "online/UpdateAnswer.h"
#include "online/UpdateCheck.h"

namespace {

const char* const kMagicWord = "Tallow";

struct Host : tallow::IUpdateCheckHost {
    int posted = 0;
    std::string LibText(const std::string& key) override { return "[" + key + "]"; }
    std::string RequestAddress() override { return "http://127.0.0.1/update/"; }
    void StartDownload(const std::string&) override {}
    void CancelDownload() override {}
    void PostResult() override { ++posted; }
    void OpenPage(const std::string&) override {}
};

void Require(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

// Handles one answer, aborts on a broken invariant; true when the answer is
// genuine (carries the corpus's magic word).
bool TallowFuzzLoad(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tallow::TUpdateAnswer answer = tallow::TUpdateAnswer::Parse(text);
    for (const tallow::TAnswerLine& line : answer.Lines()) {
        Require(line.name.find_first_of("=\r\n") == std::string::npos);
        Require(line.value.find_first_of("\r\n") == std::string::npos);
    }
    for (const tallow::TCarriedSetting& setting : answer.CarriedSettings())
        Require(!setting.key.empty());

    tallow::TFakeSettings settings;
    settings.values = {{"App.MagicWord", kMagicWord}};
    tallow::TFakeClock clock;
    Host host;
    tallow::TUpdateCheck check(settings, clock, host);
    check.Begin(true);
    check.DownloadDone(text);
    const bool genuine = answer.HasMagicWord(kMagicWord);
    const int result = answer.Result();
    Require(!check.Busy());
    Require(host.posted == (!genuine || result == 0 || result == 1 ? 1 : 0));
    Require(check.PageURL() == (genuine && result == 1 ? answer.Value("page") : std::string()));
    // Only the date is written for an answer that is not genuine.
    Require(genuine || settings.writes.size() == 1);
    return genuine;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TallowFuzzLoad(data, size);
    return 0;
}
