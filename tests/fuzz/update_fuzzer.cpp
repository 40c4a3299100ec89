// libFuzzer entry for the update server's answer: the signature check, the
// parser and a manual check that handles the answer on the fake settings store.
// Answers are signed with the fake signature scheme (fakes/FakeSignatures.h)
// under the corpus key, 64 bytes of 'K'.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fakes/FakePlatform.h"
#include "fakes/FakeSettings.h"
#include "fakes/FakeSignatures.h"
#include "online/AnswerSignature.h"
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
// genuine (signed by the corpus key and carrying the corpus's magic word).
bool TallowFuzzLoad(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string key = tallow::FakeP256Key('K');
    tallow::TFakeSignatureVerifier verifier;
    const tallow::TAnswerSignature signature = tallow::CheckAnswerSignature(text, key, verifier);
    const bool isSigned = signature.status == tallow::TSignatureStatus::Good;
    Require(isSigned || signature.body.empty());
    const tallow::TUpdateAnswer answer = tallow::TUpdateAnswer::Parse(signature.body);
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
    tallow::TUpdateCheck check(settings, clock, host, verifier, key);
    check.Begin(true);
    check.DownloadDone(text);
    const bool genuine = isSigned && answer.HasMagicWord(kMagicWord);
    const int result = answer.Result();
    Require(check.Busy() == !isSigned);  // an unsigned answer fails like the network
    Require(host.posted == (!genuine || result == 0 || result == 1 ? 1 : 0));
    Require(check.PageURL() == (genuine && result == 1 ? answer.Value("page") : std::string()));
    // Nothing of an unsigned answer is written; of a signed one without the
    // word only the date; a genuine one stores its bounded settings at once.
    Require(isSigned || settings.writes.empty());
    Require(genuine || settings.writes.size() <= 1);
    Require(settings.batches <= 1 && settings.writes.size() <= 1 + tallow::kMaxCarriedSettings);
    for (const std::string& write : settings.writes)
        Require(write.size() - write.find('=') - 1 <= tallow::kMaxCarriedValue);
    return genuine;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TallowFuzzLoad(data, size);
    return 0;
}
