// Guards the promise that Windows tests never reach the real user's files: the
// test programs run in a Wine prefix and HOME that belong to the build tree.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::string Env(const char* name) {
    char buf[4096];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}

TEST(WineIsolation, ProfileAndTempLieInsideTheBuildTreesPrefix) {
    // Wine maps the Linux HOME of the run into WINEPREFIX; both come from wine-run.sh.
    std::string profile = Env("USERPROFILE");
    ASSERT_FALSE(profile.empty());
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    // The prefix's drive C: holds the profile; Z: (the Linux root) must not.
    EXPECT_EQ(toupper(profile[0]), 'C') << profile;
    EXPECT_EQ(toupper(temp[0]), 'C') << temp;
    std::string prefix = Env("WINEPREFIX");  // Wine passes the Linux environment on
    EXPECT_NE(prefix.find("/wine/prefix"), std::string::npos) << prefix;
}

}  // namespace
