#include "toolkit/image/BoundedInflater.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace tallow {

struct BoundedInflater::Stream {
    z_stream z{};
    bool ready = false;
};

namespace {

constexpr size_t kGrowStep = 64 * 1024;

}  // namespace

BoundedInflater::BoundedInflater(size_t expectedSize) : stream_(new Stream), expected_(expectedSize) {
    stream_->ready = inflateInit(&stream_->z) == Z_OK;
    if (!stream_->ready)
        error_ = "cannot start inflating";
}

BoundedInflater::~BoundedInflater() {
    if (stream_->ready)
        inflateEnd(&stream_->z);
    delete stream_;
}

bool BoundedInflater::Fail(const char* reason) {
    if (error_.empty())
        error_ = reason;
    return false;
}

bool BoundedInflater::Feed(const uint8_t* data, size_t size) {
    if (!stream_->ready || !error_.empty())
        return Fail("cannot inflate");
    z_stream& z = stream_->z;
    while (size > 0 && !ended_) {
        const uInt piece = static_cast<uInt>(std::min<size_t>(size, UINT_MAX));
        z.next_in = const_cast<Bytef*>(data);
        z.avail_in = piece;
        const size_t before = output_.size();
        if (before == expected_) {
            if (!CheckNoMoreOutput())
                return false;
        } else {
            const size_t done = output_.size();
            const size_t target = std::min(expected_, std::max(done * 2, done + kGrowStep));
            output_.resize(target);
            z.next_out = output_.data() + done;
            z.avail_out = static_cast<uInt>(std::min<size_t>(target - done, UINT_MAX));
            const int rc = inflate(&z, Z_NO_FLUSH);
            output_.resize(target - z.avail_out);
            if (rc == Z_STREAM_END)
                ended_ = true;
            else if (rc == Z_NEED_DICT || rc == Z_DATA_ERROR || rc == Z_MEM_ERROR)
                return Fail("damaged compressed data");
        }
        const size_t used = piece - z.avail_in;
        data += used;
        size -= used;
        if (used == 0 && output_.size() == before && !ended_)
            return Fail("damaged compressed data");  // no progress: never loop forever
    }
    return true;
}

// The output is full: the stream may only end now, without a single extra byte.
bool BoundedInflater::CheckNoMoreOutput() {
    z_stream& z = stream_->z;
    uint8_t extra = 0;
    z.next_out = &extra;
    z.avail_out = 1;
    const int rc = inflate(&z, Z_NO_FLUSH);
    if (z.avail_out == 0)
        return Fail("more data than expected");
    if (rc == Z_STREAM_END)
        ended_ = true;
    else if (rc != Z_OK && rc != Z_BUF_ERROR)
        return Fail("damaged compressed data");
    return true;
}

bool BoundedInflater::Finish() {
    if (!error_.empty())
        return false;
    if (output_.size() != expected_)
        return Fail("compressed data ends early");
    return true;
}

bool InflateExactly(const uint8_t* data,
                    size_t size,
                    size_t expectedSize,
                    std::vector<uint8_t>& out,
                    std::string& error) {
    BoundedInflater inflater(expectedSize);
    if (!inflater.Feed(data, size) || !inflater.Finish()) {
        error = inflater.Error();
        return false;
    }
    if (!inflater.Complete()) {
        error = "compressed data ends early";
        return false;
    }
    out = std::move(inflater.Output());
    return true;
}

}  // namespace tallow
