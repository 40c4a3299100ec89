// Replays a committed fuzz corpus (corpus/<TALLOW_CORPUS_KIND>/) through its fuzzer's
// entry point. Files whose name starts with "damaged_" must be refused; all others
// must load.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

bool TallowFuzzLoad(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace tallow::test {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles() {
    const char* source = std::getenv("TALLOW_SOURCE_DIR");
    std::vector<fs::path> files;
    const fs::path dir = fs::path(source ? source : ".") / "tests" / "fuzz" / "corpus" / TALLOW_CORPUS_KIND;
    if (fs::is_directory(dir)) {
        for (const auto& entry : fs::directory_iterator(dir))
            files.push_back(entry.path());
    }
    return files;
}

std::vector<uint8_t> ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(CorpusReplayTest, CorpusRunsCleanAndDamagedFilesAreRefused) {
    const std::vector<fs::path> files = CorpusFiles();
    ASSERT_GE(files.size(), 10u) << "corpus not found; TALLOW_SOURCE_DIR must name the source tree";
    for (const fs::path& path : files) {
        const std::vector<uint8_t> data = ReadAll(path);
        LLVMFuzzerTestOneInput(data.data(), data.size());
        const bool damaged = path.filename().string().rfind("damaged_", 0) == 0;
        EXPECT_EQ(TallowFuzzLoad(data.data(), data.size()), !damaged) << path.filename();
    }
}

}  // namespace
}  // namespace tallow::test
