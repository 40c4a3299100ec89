// The HTTP client as a script: every request gets the same answer, and the
// requests are recorded. Safe to use from the downloader's worker thread.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Http.h"

namespace tallow {

class TFakeHttp : public IHttp {
  public:
    struct Answer {
        bool reachable = true;                     // false: Send fails
        std::optional<std::string> contentLength;  // the header's text; none: no header
        std::vector<std::string> chunks;           // what each read delivers (split further by its size)
        bool breakAfterChunks = false;             // the read after the last chunk fails
    };

    void SetAnswer(Answer answer);
    std::vector<THttpRequest> Requests() const;
    /// Reads wait until Release (a slow server); Send does not.
    void Hold();
    void Release();
    /// Responses not yet closed.
    int OpenResponses() const;

    std::unique_ptr<IHttpResponse> Send(const THttpRequest& request) override;

  private:
    friend class TFakeHttpResponse;
    mutable std::mutex mutex_;
    std::condition_variable released_;
    Answer answer_;
    std::vector<THttpRequest> requests_;
    bool held_ = false;
    int open_ = 0;
};

}  // namespace tallow
