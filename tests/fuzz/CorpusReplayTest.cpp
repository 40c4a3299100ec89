// Replays the committed fuzz corpora through the fuzzers' entry points. Files whose
// name starts with "damaged_" must be refused; all others must load.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "toolkit/image/PngDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace tallow::test {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles(const char* kind) {
    const char* source = std::getenv("TALLOW_SOURCE_DIR");
    std::vector<fs::path> files;
    if (!source)
        return files;
    for (const auto& entry : fs::directory_iterator(fs::path(source) / "tests" / "fuzz" / "corpus" / kind))
        files.push_back(entry.path());
    return files;
}

std::vector<uint8_t> ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(CorpusReplayTest, PngCorpusRunsCleanAndDamagedFilesAreRefused) {
    const std::vector<fs::path> files = CorpusFiles("png");
    ASSERT_GE(files.size(), 10u) << "corpus not found; TALLOW_SOURCE_DIR must name the source tree";
    for (const fs::path& path : files) {
        const std::vector<uint8_t> data = ReadAll(path);
        LLVMFuzzerTestOneInput(data.data(), data.size());
        PngImage image;
        std::string error;
        const bool damaged = path.filename().string().rfind("damaged_", 0) == 0;
        EXPECT_EQ(DecodePng(data.data(), data.size(), image, error), !damaged) << path.filename() << ": " << error;
    }
}

}  // namespace
}  // namespace tallow::test
