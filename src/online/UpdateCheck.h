// One update check: asks the vendor's update server, stores the settings a
// genuine answer carries and decides what the update window shows.
//
// The answer travels over plain HTTP, so only the vendor's signature on it
// (AnswerSignature.h) makes it genuine: an answer without a good signature
// counts as a failed check, like a network error, and nothing of it is stored
// or shown. A genuine answer must also carry the magic word. Of the settings it
// carries, at most kMaxCarriedSettings lines with values of at most
// kMaxCarriedValue bytes are stored, all in one write of the settings file.
//
// The check is the update window's logic without the window: the window
// (TfrmCLUpdateForm) hosts it, lends it its downloader and its message queue,
// and shows InfoText and PageURL when the check posts its result. Everything
// runs on the user-interface thread.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "framework/SettingsStore.h"
#include "platform/Clock.h"
#include "platform/Signatures.h"

namespace tallow {

class TUpdateAnswer;

/// Carried settings ("Banner." and "__MODIFY__." lines together) stored of one answer.
constexpr size_t kMaxCarriedSettings = 64;
/// The longest value of a carried setting that is stored, in bytes.
constexpr size_t kMaxCarriedValue = 1024;

/// What a check needs of its window and the engine.
class IUpdateCheckHost {
  public:
    virtual ~IUpdateCheckHost() = default;
    /// The text of `key` in the current language (LibRes); empty when it has none.
    virtual std::string LibText(const std::string& key) = 0;
    /// The address of the update request, with its query.
    virtual std::string RequestAddress() = 0;
    /// Starts fetching `url` as text; the outcome comes back through
    /// DownloadDone or DownloadError, later, on this thread.
    virtual void StartDownload(const std::string& url) = 0;
    /// Abandons the running transfer, if any: none of its events comes.
    virtual void CancelDownload() = 0;
    /// Posts the window the message that shows InfoText and PageURL, so that they
    /// are shown after the downloader's event has returned.
    virtual void PostResult() = 0;
    /// Opens a page the server offered in the user's browser. Only web
    /// addresses may open anything; the answer is untrusted.
    virtual void OpenPage(const std::string& url) = 0;
};

class TUpdateCheck {
  public:
    /// `settings`, `clock`, `host` and `verifier` outlive the check; answers
    /// must be signed by the key whose public point (X||Y) is `publicKey`.
    TUpdateCheck(ISettingsStore& settings,
                 const IClock& clock,
                 IUpdateCheckHost& host,
                 const ISignatureVerifier& verifier,
                 std::string_view publicKey);

    /// Starts the check; a check that runs already is not started again. A
    /// manual start makes the check manual for good.
    void Begin(bool manual);
    /// The downloader's answer text.
    void DownloadDone(const std::string& answer);
    /// The downloader failed, or the answer was not signed by the vendor.
    void DownloadError();
    /// Any key released in the window: the transfer is abandoned silently.
    void Abandon();
    /// The offer was accepted (OK): stores the automatic-check choice, opens the page.
    void Accept(bool autoCheckTicked);
    /// The window was closed with its Ok: abandons the transfer, stores the choice.
    void Dismiss(bool autoCheckTicked);

    /// The product hides the automatic-check choice and never stores it.
    bool AutoCheckLocked() const;
    bool AutoCheck() const;

    bool Manual() const { return manual_; }
    bool Busy() const { return busy_; }
    const std::string& InfoText() const { return infoText_; }
    /// The page offered by the server; empty when there is nothing to open.
    const std::string& PageURL() const { return pageURL_; }

  private:
    void StoreCarriedSettings(const TUpdateAnswer& answer);
    /// Whether an automatic check may show an offer at all.
    bool MayShowAutomatically() const;
    void ShowOutcome(const TUpdateAnswer& answer);
    void Report(std::string infoText, std::string pageURL);
    void StoreAutoCheck(bool ticked);

    ISettingsStore& settings_;
    const IClock& clock_;
    IUpdateCheckHost& host_;
    const ISignatureVerifier& verifier_;
    const std::string publicKey_;
    bool manual_ = false;
    bool busy_ = false;
    std::string infoText_;
    std::string pageURL_;
};

}  // namespace tallow
