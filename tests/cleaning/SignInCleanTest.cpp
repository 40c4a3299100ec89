// Cleaning at sign-in: the Run value's text, when the tick shows, and when the
// machine's value takes the choice away from the user.
#include "cleaning/SignInClean.h"

#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"

namespace tallow {
namespace {

const char kProgram[] = "C:\\Program Files\\Tallowmere\\tallowmere.exe";

TEST(SignInClean, RunValueQuotesTheProgramAndAsksForTheClean) {
    EXPECT_EQ(SignInCommand(kProgram), "\"C:\\Program Files\\Tallowmere\\tallowmere.exe\" /clean");
    EXPECT_STREQ(kRunKey, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_STREQ(kRunValue, "Tallowmere");
}

TEST(SignInClean, TickShowsOnlyAValueThatStartsThisProgram) {
    const struct {
        const char* value;  // nullptr: no value
        bool ticked;
    } rows[] = {
        {nullptr, false},
        {"\"C:\\Program Files\\Tallowmere\\tallowmere.exe\" /clean", true},
        {"\"c:\\program files\\tallowmere\\TALLOWMERE.EXE\" /clean=system.temp", true},
        {"C:\\Program Files\\Tallowmere\\tallowmere.exe /clean", true},
        {"C:\\Program Files\\Tallowmere\\tallowmere.exe", true},
        {"\"D:\\Old\\tallowmere.exe\" /clean", false},
        {"\"C:\\Program Files\\Tallowmere\\tallowmere.exe.bak\" /clean", false},
        {"C:\\Program Files\\Tallowmere\\tallowmere.exeX /clean", false},
        {"\"C:\\Program Files\\Tallowmere\\tallowmere.exe", false},  // never closed
        {"", false},
    };
    for (const auto& row : rows) {
        TFakeRegistry registry;
        if (row.value)
            registry.Set(RegistryRoot::CurrentUser, kRunKey, kRunValue, row.value);
        EXPECT_EQ(TSignInClean(registry, kProgram).IsOn(), row.ticked) << (row.value ? row.value : "no value");
    }
}

TEST(SignInClean, SwitchingWritesAndRemovesOnlyTheUsersValue) {
    TFakeRegistry registry;
    registry.Set(RegistryRoot::CurrentUser, kRunKey, "Other", "other.exe");
    TSignInClean signIn(registry, kProgram);
    EXPECT_TRUE(signIn.Set(true));
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kRunKey, kRunValue), SignInCommand(kProgram));
    EXPECT_TRUE(signIn.IsOn());
    EXPECT_TRUE(signIn.Set(false));
    EXPECT_FALSE(registry.ReadString(RegistryRoot::CurrentUser, kRunKey, kRunValue));
    EXPECT_EQ(registry.ValueNames(RegistryRoot::CurrentUser, kRunKey), std::vector<std::string>{"Other"});

    registry.readOnlyKeys.insert({RegistryRoot::CurrentUser, kRunKey});
    EXPECT_FALSE(signIn.Set(true)) << "a refused write is reported";
    EXPECT_FALSE(signIn.IsOn());
}

TEST(SignInClean, TheMachinesValueInEitherViewFixesTheChoice) {
    for (RegistryView view : {RegistryView::Own, RegistryView::Bits64}) {
        TFakeRegistry registry;
        EXPECT_FALSE(TSignInClean(registry, kProgram).FixedByMachine());
        registry.Set(RegistryRoot::LocalMachine, kRunKey, kRunValue, "", view);
        EXPECT_FALSE(TSignInClean(registry, kProgram).FixedByMachine()) << "an empty value starts nothing";
        registry.Set(RegistryRoot::LocalMachine, kRunKey, kRunValue, "\"D:\\Apps\\tallowmere.exe\" /clean", view);
        EXPECT_TRUE(TSignInClean(registry, kProgram).FixedByMachine());
    }
}

}  // namespace
}  // namespace tallow
