#include "fakes/FakeHttp.h"

#include <algorithm>

namespace tallow {

class TFakeHttpResponse : public IHttpResponse {
  public:
    TFakeHttpResponse(TFakeHttp& http, TFakeHttp::Answer answer) : http_(http), answer_(std::move(answer)) {}
    ~TFakeHttpResponse() override {
        std::lock_guard<std::mutex> lock(http_.mutex_);
        --http_.open_;
    }
    std::optional<std::string> ContentLength() override { return answer_.contentLength; }
    std::optional<size_t> Read(char* buffer, size_t size) override {
        {
            std::unique_lock<std::mutex> lock(http_.mutex_);
            http_.released_.wait(lock, [this] { return !http_.held_; });
        }
        if (next_ == answer_.chunks.size()) {
            return answer_.breakAfterChunks ? std::nullopt : std::optional<size_t>(0);
        }
        std::string& chunk = answer_.chunks[next_];
        const size_t count = std::min(size, chunk.size() - offset_);
        std::copy_n(chunk.data() + offset_, count, buffer);
        offset_ += count;
        if (offset_ == chunk.size()) {
            ++next_;
            offset_ = 0;
        }
        return count;
    }

  private:
    TFakeHttp& http_;
    TFakeHttp::Answer answer_;
    size_t next_ = 0;
    size_t offset_ = 0;
};

void TFakeHttp::SetAnswer(Answer answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    answer_ = std::move(answer);
}

std::vector<THttpRequest> TFakeHttp::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void TFakeHttp::Hold() {
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = true;
}

void TFakeHttp::Release() {
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = false;
    released_.notify_all();
}

int TFakeHttp::OpenResponses() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return open_;
}

std::unique_ptr<IHttpResponse> TFakeHttp::Send(const THttpRequest& request) {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
    if (!answer_.reachable) {
        return nullptr;
    }
    ++open_;
    return std::make_unique<TFakeHttpResponse>(*this, answer_);
}

}  // namespace tallow
