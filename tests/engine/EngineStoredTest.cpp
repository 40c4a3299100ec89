// An engine built from a stored window description, through the class registry
// and the installed services provider, as the main window builds its engine1.
#include <gtest/gtest.h>

#include "components/StoredForm.h"
#include "engine/EngineFakes.h"

namespace tallow::testing {
namespace {

struct ProviderScope {
    explicit ProviderScope(EngineServicesProvider p) { SetEngineServicesProvider(std::move(p)); }
    ~ProviderScope() { SetEngineServicesProvider(nullptr); }
};

TEST(EngineStored, StoredValuesConfigureTheEngineAndLoadedPostsInitPost) {
    TFakePlatform platform;
    TApplication app;
    TFakeSettings settings;
    settings.values["App.Name"] = "Tallowmere";
    FakeOwnerState owner;
    owner.caption = "designed";
    ProviderScope scope([&](TComponent*) {
        EngineServices services;
        services.platform = &platform.Platform();
        services.application = &app;
        services.settings = &settings;
        services.owner = std::make_unique<FakeEngineOwner>(owner);
        return services;
    });
    ClassRegistry registry;
    registry.Register<TCLEngine>();
    StoredForm form{"frmMain",
                    {},
                    {{"TCLEngine",
                      "engine1",
                      {{"SettingDefault", "Path.Skins=skins\r\nPath.Languages=langs"},
                       {"SettingOverwrite", "URL.Update=https://update.example/update/"},
                       {"ParentHWND", "0"},
                       {"TitleIncludeVer", "False"}}}}};
    TComponent root(nullptr);
    LoadResult result = LoadComponentTree(root, form, registry);
    ASSERT_TRUE(result.ok()) << result.errors.front();

    auto* engine = dynamic_cast<TCLEngine*>(root.FindComponent("engine1"));
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(AppEngine(), engine);
    EXPECT_EQ(engine->FindDefault("Path.Languages"), "langs");
    EXPECT_EQ(engine->FindDefault("Path.Skins"), "skins");
    EXPECT_EQ(engine->FindOverwrite("URL.Update"), "https://update.example/update/");
    EXPECT_FALSE(engine->TitleIncludeVer());
    EXPECT_EQ(owner.caption, "designed") << "no title is applied while the window loads";
    ASSERT_EQ(owner.posted.size(), 1u);
    EXPECT_EQ(owner.posted[0].msg, engine->MsgInitPost());
}

TEST(EngineStored, AnEngineNeedsServicesAndAWindowOwner) {
    TComponent root(nullptr);
    EXPECT_THROW(TCLEngine engine(&root), std::logic_error) << "no provider installed";
    ProviderScope scope([](TComponent*) -> EngineServices { throw std::bad_cast(); });
    EXPECT_THROW(TCLEngine engine(&root), std::bad_cast);
    EXPECT_EQ(root.ComponentCount(), 0) << "a failed engine leaves no component behind";
    EXPECT_EQ(AppEngine(), nullptr);
}

}  // namespace
}  // namespace tallow::testing
