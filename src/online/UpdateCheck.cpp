#include "online/UpdateCheck.h"

#include <utility>
#include <vector>

#include "components/TextCase.h"
#include "diagnostics/TraceSender.h"
#include "online/AnswerSignature.h"
#include "online/UpdateAnswer.h"
#include "platform/Files.h"

namespace tallow {

namespace {

const char* const kTraceTag = "CLUpdate";

void TraceUpdate(const std::string& text) {
    DebugTrace().TraceWithTag(text, kTraceTag);
}

}  // namespace

TUpdateCheck::TUpdateCheck(ISettingsStore& settings,
                           const IClock& clock,
                           IUpdateCheckHost& host,
                           const ISignatureVerifier& verifier,
                           std::string_view publicKey)
    : settings_(settings), clock_(clock), host_(host), verifier_(verifier), publicKey_(publicKey) {}

bool TUpdateCheck::AutoCheckLocked() const {
    return settings_.ReadBool("Update.NoAutoCheck");
}

bool TUpdateCheck::AutoCheck() const {
    return settings_.ReadBool("Update.AutoCheck");
}

void TUpdateCheck::Begin(bool manual) {
    if (manual)
        manual_ = true;
    if (busy_)
        return;
    busy_ = true;
    const std::string address = host_.RequestAddress();
    TraceUpdate("Update URL : " + address);
    host_.StartDownload(address);
}

// The date is stored for every signed answer, even one without the magic word,
// so the schedule waits its days again; a network error or an answer that is
// not signed stores nothing, and the next start retries.
void TUpdateCheck::DownloadDone(const std::string& answer) {
    TraceUpdate("Update Net : " + answer);
    const TAnswerSignature signature = CheckAnswerSignature(answer, publicKey_, verifier_);
    if (signature.status != TSignatureStatus::Good) {
        TraceUpdate(std::string("Update Signature Error : ") + SignatureStatusName(signature.status));
        DownloadError();
        return;
    }
    settings_.WriteFloat("Update.LastDate", clock_.Now());
    if (!busy_)
        return;
    const TUpdateAnswer parsed = TUpdateAnswer::Parse(signature.body);
    const bool genuine = parsed.HasMagicWord(settings_.ReadString("App.MagicWord"));
    if (genuine) {
        // Stored before the gates below: an automatic check on the first start,
        // or with offers switched off, still takes the vendor's settings.
        StoreCarriedSettings(parsed);
        if (manual_ || MayShowAutomatically())
            ShowOutcome(parsed);
    }
    busy_ = false;
    if (!genuine && manual_)
        Report(host_.LibText("Update.NetError"), std::string());
}

void TUpdateCheck::DownloadError() {
    if (!busy_)
        return;
    TraceUpdate("Update Net Error !");
    if (manual_)
        Report(host_.LibText("Update.NetError"), std::string());
}

void TUpdateCheck::Abandon() {
    host_.CancelDownload();
}

void TUpdateCheck::Accept(bool autoCheckTicked) {
    StoreAutoCheck(autoCheckTicked);
    if (!pageURL_.empty())
        host_.OpenPage(pageURL_);
}

void TUpdateCheck::Dismiss(bool autoCheckTicked) {
    host_.CancelDownload();
    StoreAutoCheck(autoCheckTicked);
}

namespace {

// The skin and language are bare file names in their folders, and those folders
// lie below the program's folder; an answer may change them only within that.
bool IsAcceptableName(const TCarriedSetting& setting) {
    if (SameText(setting.key, "Skin") || SameText(setting.key, "Language"))
        return IsBareFileName(setting.value);
    if (SameText(setting.key, "Path.Skins") || SameText(setting.key, "Path.Languages"))
        return IsRelativeSubfolder(setting.value);
    return true;
}

}  // namespace

// One write of the settings file for all of them; what is dropped is named in
// the trace, one line per value too long or refused and one for the lines over
// the limit.
void TUpdateCheck::StoreCarriedSettings(const TUpdateAnswer& answer) {
    const std::vector<TCarriedSetting> carried = answer.CarriedSettings();
    std::vector<std::pair<std::string, std::string>> stored;
    for (size_t i = 0; i < carried.size() && i < kMaxCarriedSettings; ++i) {
        if (carried[i].value.size() > kMaxCarriedValue)
            TraceUpdate("Update Setting Dropped, value over 1024 bytes : " + carried[i].key);
        else if (!IsAcceptableName(carried[i]))
            TraceUpdate("Update Setting Dropped, not a name in the program's folders : " + carried[i].key);
        else
            stored.emplace_back(carried[i].key, carried[i].value);
    }
    if (carried.size() > kMaxCarriedSettings)
        TraceUpdate("Update Settings Dropped, over 64 lines : " + std::to_string(carried.size() - kMaxCarriedSettings) +
                    " from " + carried[kMaxCarriedSettings].key);
    if (!stored.empty())
        settings_.WriteStrings(stored);
}

bool TUpdateCheck::MayShowAutomatically() const {
    return AutoCheck() && !AutoCheckLocked() && settings_.RunTimes() != 0;
}

void TUpdateCheck::ShowOutcome(const TUpdateAnswer& answer) {
    switch (answer.Result()) {
        case 0:
            if (manual_)
                Report(host_.LibText("Update.LastVersionAlready"), std::string());
            break;
        case 1:
            Report(answer.Value("info"), answer.Value("page"));
            break;
        default:
            break;  // an answer this program does not understand shows nothing
    }
}

void TUpdateCheck::Report(std::string infoText, std::string pageURL) {
    infoText_ = std::move(infoText);
    pageURL_ = std::move(pageURL);
    host_.PostResult();
}

void TUpdateCheck::StoreAutoCheck(bool ticked) {
    if (!AutoCheckLocked())
        settings_.WriteBool("Update.AutoCheck", ticked);
}

}  // namespace tallow
