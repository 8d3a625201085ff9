// The version resource that Windows' file properties and the editor's plug-in manager read.
#include "plugin_library.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

class PluginVersionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DWORD size = GetFileVersionInfoSizeW(pluginPath().c_str(), nullptr);
        ASSERT_GT(size, 0u) << "no version resource";
        data.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(pluginPath().c_str(), 0, size, data.data()));
    }

    std::wstring text(const wchar_t* name) {
        wchar_t* value = nullptr;
        UINT length = 0;
        std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) {
            return L"(missing)";
        }
        return std::wstring(value);
    }

    std::vector<unsigned char> data;
};

std::wstring widen(const char* text) {
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

TEST_F(PluginVersionTest, BinaryVersionIsTheReleaseVersionInFourParts) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    std::string fileVersion = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(fileVersion, TAMREL_FILE_VERSION);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_F(PluginVersionTest, NamesTheProductAndTheFile) {
    EXPECT_EQ(text(L"ProductName"), L"Tamrel Templates");
    EXPECT_EQ(text(L"OriginalFilename"), L"TamrelTemplates.dll");
    EXPECT_EQ(text(L"FileVersion"), widen(TAMREL_VERSION));
    EXPECT_EQ(text(L"ProductVersion"), widen(TAMREL_VERSION));
    EXPECT_EQ(text(L"FileDescription"), widen(TAMREL_DESCRIPTION));
}

} // namespace
