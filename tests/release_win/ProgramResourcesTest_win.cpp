// The resources of tallowmere.exe beside the test (the tests run in bin/): what
// Windows shows in the file's properties, what it reads from the manifest when
// it starts the program, and the icon of the program file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

const char* const kProgram = "tallowmere.exe";

std::string FullPath(const char* name) {
    char path[MAX_PATH] = {};
    GetFullPathNameA(name, MAX_PATH, path, nullptr);
    return path;
}

std::string ShippedVersion() {
    char text[64] = {};
    GetPrivateProfileStringA("setting", "App.Ver", "", text, sizeof text, FullPath("const.dat").c_str());
    return text;
}

struct TModule {
    HMODULE handle = LoadLibraryExA(kProgram, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ~TModule() {
        if (handle)
            FreeLibrary(handle);
    }
    std::string Resource(LPCSTR type, int id) const {
        HRSRC found = FindResourceA(handle, MAKEINTRESOURCEA(id), type);
        if (!found)
            return {};
        auto* data = static_cast<const char*>(LockResource(LoadResource(handle, found)));
        return std::string(data, SizeofResource(handle, found));
    }
};

TEST(ProgramResources, VersionRecordCarriesTheShippedVersion) {
    const std::string version = ShippedVersion();
    ASSERT_FALSE(version.empty());
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(kProgram, &ignored);
    ASSERT_GT(size, 0u);
    std::string info(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(kProgram, 0, size, info.data()));
    for (const char* key : {"FileVersion", "ProductVersion"}) {
        char* text = nullptr;
        UINT length = 0;
        std::string path = std::string("\\StringFileInfo\\040904B0\\") + key;
        ASSERT_TRUE(VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length)) << key;
        EXPECT_EQ(version, text) << key;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    char numbers[64];
    snprintf(numbers, sizeof numbers, "%lu.%lu.%lu.%lu", fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xFFFF,
             fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF);
    EXPECT_EQ(version, numbers);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
}

// The manifest that CreateProcess reads (resource 1): common controls 6, run as
// the invoking user, Windows Vista and later, and deliberately not DPI aware (the
// skinned windows are pixel layouts; Windows scales them as a whole).
TEST(ProgramResources, ManifestIsOneTheSystemAcceptsWithTheChosenSettings) {
    TModule program;
    ASSERT_NE(program.handle, nullptr);
    const std::string manifest = program.Resource(MAKEINTRESOURCEA(24), 1);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"), std::string::npos);
    EXPECT_NE(manifest.find(R"(level="asInvoker")"), std::string::npos);
    EXPECT_NE(manifest.find(R"(<supportedOS Id="{e2011457-1546-43c5-a5fe-008deee3d3f0}"/>)"), std::string::npos)
        << "Windows Vista";
    EXPECT_NE(manifest.find(">false</dpiAware>"), std::string::npos);
    EXPECT_EQ(manifest.find("dpiAwareness"), std::string::npos);

    // A manifest the loader cannot parse stops the program before it runs.
    const std::string path = FullPath(kProgram);
    ACTCTXA context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path.c_str();
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE activation = CreateActCtxA(&context);
    EXPECT_NE(activation, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    if (activation != INVALID_HANDLE_VALUE)
        ReleaseActCtx(activation);
}

TEST(ProgramResources, IconHoldsTheFourSizesOfTheShell) {
    TModule program;
    const std::string group = program.Resource(RT_GROUP_ICON, 1);
    ASSERT_GE(group.size(), 6u);
    const unsigned count = static_cast<unsigned char>(group[4]) | static_cast<unsigned char>(group[5]) << 8;
    ASSERT_EQ(group.size(), 6u + 14u * count);
    std::set<int> sizes;
    for (unsigned i = 0; i < count; ++i) {
        const int width = static_cast<unsigned char>(group[6 + 14 * i]);
        sizes.insert(width == 0 ? 256 : width);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));
}

}  // namespace
