// Every built program carries its icon, its manifest and its version resource.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <set>
#include <string>

#include "support/test_env.h"

namespace {

struct ModuleFree {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using DataModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFree>;

std::string ResourceText(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return data ? std::string(data, SizeofResource(module, found)) : std::string();
}

// Widths of the images in the icon group (a GRPICONDIR: 6-byte header, 14-byte entries).
std::set<int> IconSizes(HMODULE module, int id) {
    std::string group = ResourceText(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    std::set<int> sizes;
    if (group.size() < 6) return sizes;
    int count = static_cast<unsigned char>(group[4]) | static_cast<unsigned char>(group[5]) << 8;
    for (int i = 0; i < count && 6 + 14 * (i + 1) <= static_cast<int>(group.size()); ++i) {
        int width = static_cast<unsigned char>(group[6 + 14 * i]);
        sizes.insert(width == 0 ? 256 : width);
    }
    return sizes;
}

}  // namespace

TEST(UiResources, EveryProgramHasIconManifestAndVersion) {
    for (const char* program : {"Morvish", "Pallow", "Dunmere", "Brenlow", "Orlith"}) {
        SCOPED_TRACE(program);
        std::string path = ProgramsFolder() + "\\" + program + ".exe";
        DataModule module(
            LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(module) << path;

        std::set<int> sizes = IconSizes(module.get(), 1);
        for (int size : {16, 32, 48}) EXPECT_TRUE(sizes.count(size)) << "icon 1 has no " << size << " px image";

        std::string manifest = ResourceText(module.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
        EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
        EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
        EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
        EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);

        std::string version = ResourceText(module.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));  // RT_VERSION
        std::wstring key(L"FileDescription");
        EXPECT_NE(version.find(std::string(reinterpret_cast<const char*>(key.c_str()), key.size() * 2)),
                  std::string::npos);
    }
}
