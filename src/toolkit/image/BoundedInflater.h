// A zlib stream inflated piece by piece into a buffer that never grows beyond the
// size the caller expects: more output than expected is an error, so a small file
// cannot make the decoder allocate more than its header honestly asks for.
// Used for the image data of PNG files and for packed skin files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tallow {

class BoundedInflater {
  public:
    explicit BoundedInflater(size_t expectedSize);
    ~BoundedInflater();
    BoundedInflater(const BoundedInflater&) = delete;
    BoundedInflater& operator=(const BoundedInflater&) = delete;

    /// Inflates the next piece of the stream. False on bad data or on output beyond
    /// the expected size (see Error()).
    bool Feed(const uint8_t* data, size_t size);
    /// True once the stream has ended with exactly the expected size.
    bool Complete() const { return ended_ && output_.size() == expected_; }
    /// After the last piece: true when exactly the expected bytes came out (a stream
    /// whose end marker is missing after complete data is accepted).
    bool Finish();

    const std::string& Error() const { return error_; }
    std::vector<uint8_t>& Output() { return output_; }

  private:
    bool Fail(const char* reason);
    bool CheckNoMoreOutput();

    struct Stream;
    Stream* stream_;
    size_t expected_;
    std::vector<uint8_t> output_;
    bool ended_ = false;
    std::string error_;
};

/// Inflates a whole zlib stream that must give exactly `expectedSize` bytes and end
/// with its end marker and checksum.
bool InflateExactly(const uint8_t* data,
                    size_t size,
                    size_t expectedSize,
                    std::vector<uint8_t>& out,
                    std::string& error);

}  // namespace tallow
