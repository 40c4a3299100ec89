// The engine's answers to the owner window's messages and its start-up sequence.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/EngineFakes.h"

namespace tallow::testing {
namespace {

TEST(EngineCreation, RegistersFiveMessagesInOrderHooksOwnerAndBecomesProcessWide) {
    EngineFixture f;
    EXPECT_EQ(f.platform.messages.Registered(),
              (std::vector<std::string>{"CL GetAppID", "CL CloseApp", "CL InitPost", "CL CmdParam", "CL IfBusy"}));
    EXPECT_EQ(AppEngine(), &f.engine());
    EXPECT_EQ(f.engine().SettingDefault()->Lines(),
              (std::vector<std::string>{"Path.Skins=skins", "Path.Languages=lang"}));
    EXPECT_EQ(f.settings.lists, &f.engine()) << "the settings store reads the engine's lists";
    EXPECT_TRUE(f.engine().StartingUp());
    EXPECT_TRUE(f.engine().TitleIncludeVer());

    {
        EngineFixture second;
        EXPECT_EQ(AppEngine(), &f.engine()) << "only the first engine is the process-wide one";
    }
    EXPECT_EQ(AppEngine(), &f.engine());

    f.Destroy();
    EXPECT_EQ(AppEngine(), nullptr);
    EXPECT_EQ(f.settings.lists, nullptr);
    EXPECT_EQ(f.Send(0x0400), -5) << "the owner's own handler is back after destruction";
    EXPECT_EQ(f.owner.passedOn, std::vector<uint32_t>{0x0400});
}

TEST(EngineMessages, AnswersAppIdCloseAppAndPassesOtherMessagesOn) {
    EngineFixture f;
    f.settings.values["App.ID"] = "4711";
    EXPECT_EQ(f.Send(f.engine().MsgGetAppID()), 4711);
    EXPECT_EQ(f.platform.application.terminations, 0);
    f.Send(f.engine().MsgCloseApp());
    EXPECT_EQ(f.platform.application.terminations, 1);
    EXPECT_TRUE(f.owner.passedOn.empty());

    EXPECT_EQ(f.Send(0x000F), -5);
    EXPECT_EQ(f.Send(f.engine().MsgCmdParam()), -5) << "CL CmdParam without OnCmdFile goes to the window";
    EXPECT_EQ(f.Send(kWmCopyData, 0, 0), -5) << "WM_COPYDATA without a record goes to the window";
    EXPECT_EQ(f.owner.passedOn, (std::vector<uint32_t>{0x000F, f.engine().MsgCmdParam(), kWmCopyData}));
}

TEST(EngineMessages, IfBusyIsOneUntilThePostedInitPostWasHandled) {
    EngineFixture f;
    EXPECT_EQ(f.Send(f.engine().MsgIfBusy()), 1);
    f.engine().Loaded();
    EXPECT_FALSE(f.engine().InLoaded());
    ASSERT_EQ(f.owner.posted.size(), 1u);
    EXPECT_EQ(f.owner.posted[0].msg, f.engine().MsgInitPost());
    EXPECT_EQ(f.Send(f.engine().MsgIfBusy()), 1);
    f.RunPosted();
    EXPECT_EQ(f.Send(f.engine().MsgIfBusy()), 0);
    EXPECT_FALSE(f.engine().StartingUp());
}

intptr_t SendCopyData(EngineFixture& f, const void* data, uint32_t size) {
    CopyDataRecord record{0, size, data};
    return f.Send(kWmCopyData, 0, reinterpret_cast<intptr_t>(&record));
}

TEST(EngineMessages, CopyDataHandsExactlyTheRecordsBytesToOnCmdFile) {
    EngineFixture f;
    std::vector<std::string> received;
    f.engine().OnCmdFile = [&](const std::string& name) { received.push_back(name); };

    const char buffer[] = "a.txtGARBAGE";
    EXPECT_EQ(SendCopyData(f, buffer, 5), 0);
    EXPECT_EQ(f.engine().CmdParam(), "a.txt");
    EXPECT_TRUE(received.empty()) << "OnCmdFile runs only after the posted CL CmdParam";
    f.RunPosted();
    EXPECT_EQ(received, std::vector<std::string>{"a.txt"});

    const char embedded[] = {'x', '\0', 'y', '\xE9'};
    SendCopyData(f, embedded, sizeof embedded);
    f.RunPosted();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1], std::string(embedded, sizeof embedded));

    SendCopyData(f, nullptr, 12);  // a record that claims bytes but has none
    f.RunPosted();
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[2], "");
    EXPECT_TRUE(f.owner.passedOn.empty());
}

TEST(EngineStartUp, FirstParameterIsHandedOnUnlessItIsASwitch) {
    for (const char* first : {"-d", "/h", "-", "/anything"}) {
        EngineFixture f;
        bool called = false;
        f.engine().OnCmdFile = [&](const std::string&) { called = true; };
        f.platform.process.parameters = {first, "C:\\second.txt"};
        f.engine().Loaded();
        f.RunPosted();
        EXPECT_FALSE(called) << first;
    }
    EngineFixture f;
    std::vector<std::string> received;
    f.engine().OnCmdFile = [&](const std::string& name) { received.push_back(name); };
    f.platform.process.parameters = {"C:\\docs\\a b.txt", "C:\\second.txt"};
    f.engine().Loaded();
    f.RunPosted();
    EXPECT_EQ(received, std::vector<std::string>{"C:\\docs\\a b.txt"});
}

TEST(EngineStartUp, InitPostAnnouncesLanguageThenSkinThenComposesTheTitle) {
    EngineFixture f;
    f.settings.values["App.Name"] = "Tallowmere";
    f.settings.values["App.Ver"] = "1.0.0.7";
    std::vector<std::string> events;
    f.engine().OnLanguageChanged = [&](TCLEngine&) { events.push_back("language"); };
    f.engine().OnSkinChanged = [&](TCLEngine&) { events.push_back("skin"); };
    f.engine().OnTitleChange = [&](TCLEngine& e) { events.push_back("title " + e.Title()); };
    f.engine().Loaded();
    EXPECT_TRUE(events.empty());
    f.RunPosted();
    EXPECT_EQ(events, (std::vector<std::string>{"language", "skin", "title Tallowmere  1.0.0.7"}));
    EXPECT_EQ(f.owner.caption, "Tallowmere  1.0.0.7");
    EXPECT_EQ(f.app.Title(), "Tallowmere  1.0.0.7");
}

TEST(EngineStartUp, StartUpEndsEvenWhenAnEventHandlerThrows) {
    EngineFixture f;
    f.engine().OnLanguageChanged = [](TCLEngine&) { throw std::runtime_error("broken handler"); };
    f.engine().Loaded();
    EXPECT_THROW(f.RunPosted(), std::runtime_error);
    EXPECT_EQ(f.Send(f.engine().MsgIfBusy()), 0);
}

}  // namespace
}  // namespace tallow::testing
