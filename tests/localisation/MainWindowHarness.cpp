#include "localisation/MainWindowHarness.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/CLEngineStandard.h"

namespace tallow::testing {

std::string ShippedLanguage(const std::string& name) {
    const char* source = std::getenv("TALLOW_SOURCE_DIR");
    const std::filesystem::path path =
        std::filesystem::path(source ? source : ".") / "dist" / "langs" / (name + ".lan");
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

MainWindowHarness::MainWindowHarness() {
    settings.values = {{"App.Name", "Tallowmere"}, {"App.Ver", "1.0"}};
    settings.exeDir = "C:\\Tallowmere\\";
    SetSystemPlatform(&platform.Platform());  // the language data reads its files there
    SetEngineServicesProvider([this](TComponent* owner) {
        EngineServices services;
        services.platform = &platform.Platform();
        services.application = &app;
        services.settings = &settings;
        services.owner = MakeFormEngineOwner(dynamic_cast<TskForm&>(*owner));
        return services;
    });
    MainFormServices services;
    services.settings = &settings;
    form_ = std::make_unique<TfrmMain>(nullptr, std::move(services));
}

MainWindowHarness::~MainWindowHarness() {
    form_.reset();
    SetEngineServicesProvider(nullptr);
    SetSystemPlatform(nullptr);
}

std::string MainWindowHarness::PutLanguage(const std::string& name) {
    const std::string path = settings.exeDir + "langs\\" + name + ".lan";
    platform.files.files[path] = ShippedLanguage(name);
    return path;
}

}  // namespace tallow::testing
