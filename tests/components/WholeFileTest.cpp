#include "components/WholeFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tallow {
namespace {

std::string ScratchFile(const std::string& name, const std::string& content) {
    const char* tmp = std::getenv("TALLOW_TEST_TMP");
    const std::filesystem::path folder = std::filesystem::path(tmp ? tmp : "/tmp") / "whole_file";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

TEST(WholeFileTest, ReadsWholeFilesUpToTheLimitAndNothingBeyond) {
    const std::string binary("P\0N\r\nG\x1A\xFF", 8);
    struct {
        const char* name;
        std::string content;
        std::size_t limit;
        WholeFileStatus status;
        std::string read;
    } cases[] = {
        {"binary", binary, 8, WholeFileStatus::Read, binary},  // exactly the limit, bytes unchanged
        {"empty", "", 0, WholeFileStatus::Read, ""},
        {"over", binary, 7, WholeFileStatus::TooLarge, ""},
    };
    for (const auto& c : cases) {
        std::string content = "stale";
        EXPECT_EQ(ReadWholeFile(ScratchFile(c.name, c.content), c.limit, content), c.status) << c.name;
        EXPECT_EQ(content, c.read) << c.name;
        EXPECT_TRUE(FileOpensForReading(ScratchFile(c.name, c.content))) << c.name;
    }
    std::string content = "stale";
    const std::string missing = ScratchFile("gone", "") + ".missing";
    EXPECT_EQ(ReadWholeFile(missing, 100, content), WholeFileStatus::Missing);
    EXPECT_EQ(content, "");
    EXPECT_FALSE(FileOpensForReading(missing));
}

}  // namespace
}  // namespace tallow
