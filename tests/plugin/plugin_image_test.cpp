// The DLL file as the host's loader and Windows see it: machine type, exports, imports
// and the security flags of its optional header, read from the file itself.
#include "plugin_library.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct PeImage {
    std::vector<unsigned char> bytes;
    const IMAGE_NT_HEADERS* headers = nullptr;

    template <typename Record> const Record* at(std::size_t offset) const {
        if (offset + sizeof(Record) > bytes.size()) {
            throw std::out_of_range("record beyond the end of the file");
        }
        return reinterpret_cast<const Record*>(bytes.data() + offset);
    }

    // File offset of a relative virtual address, through the section table.
    std::size_t offsetOf(DWORD rva) const {
        const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
        for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section) {
            if (rva >= section->VirtualAddress &&
                rva < section->VirtualAddress + section->Misc.VirtualSize) {
                return rva - section->VirtualAddress + section->PointerToRawData;
            }
        }
        throw std::out_of_range("address outside every section");
    }

    std::string stringAt(DWORD rva) const {
        return std::string(reinterpret_cast<const char*>(bytes.data() + offsetOf(rva)));
    }

    const IMAGE_DATA_DIRECTORY& directory(int index) const {
        return headers->OptionalHeader.DataDirectory[index];
    }
};

PeImage readImage(const std::wstring& path) {
    PeImage image;
    std::ifstream file(path.c_str(), std::ios::binary);
    image.bytes.assign(std::istreambuf_iterator<char>(file), {});
    const auto* dos = image.at<IMAGE_DOS_HEADER>(0);
    image.headers = image.at<IMAGE_NT_HEADERS>(dos->e_lfanew);
    return image;
}

std::vector<std::string> exportNames(const PeImage& image) {
    const IMAGE_DATA_DIRECTORY& entry = image.directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
    const auto* exports = image.at<IMAGE_EXPORT_DIRECTORY>(image.offsetOf(entry.VirtualAddress));
    std::vector<std::string> names;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        DWORD nameRva = *image.at<DWORD>(image.offsetOf(exports->AddressOfNames) + 4 * i);
        names.push_back(image.stringAt(nameRva));
    }
    EXPECT_EQ(exports->NumberOfFunctions, exports->NumberOfNames) << "no exports by ordinal only";
    return names;
}

std::vector<std::string> importedLibraries(const PeImage& image) {
    const IMAGE_DATA_DIRECTORY& entry = image.directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    std::vector<std::string> names;
    std::size_t offset = image.offsetOf(entry.VirtualAddress);
    for (const auto* import = image.at<IMAGE_IMPORT_DESCRIPTOR>(offset); import->Name != 0;
         import = image.at<IMAGE_IMPORT_DESCRIPTOR>(offset += sizeof *import)) {
        names.push_back(image.stringAt(import->Name));
    }
    EXPECT_EQ(image.directory(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT).Size, 0u);
    return names;
}

std::string lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Windows' own libraries; a MinGW runtime DLL (libgcc_s_*, libstdc++-6, libwinpthread-1)
// is not among them and would keep the editor from loading the plug-in.
bool isSystemLibrary(const std::string& name) {
    static const char* const kSystem[] = {"kernel32.dll", "user32.dll", "msvcrt.dll",
                                          "ucrtbase.dll"};
    std::string lower = lowercase(name);
    return std::find_if(std::begin(kSystem), std::end(kSystem),
                        [&](const char* system) { return lower == system; }) != std::end(kSystem) ||
           lower.rfind("api-ms-win-crt-", 0) == 0;
}

class PluginImageTest : public ::testing::Test {
  protected:
    PeImage image = readImage(pluginPath());
};

TEST_F(PluginImageTest, IsADllForTheTestsOwnMachineType) {
    ASSERT_EQ(image.headers->Signature, IMAGE_NT_SIGNATURE);
    EXPECT_TRUE(image.headers->FileHeader.Characteristics & IMAGE_FILE_DLL);
#if defined(_WIN64)
    EXPECT_EQ(image.headers->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(image.headers->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
#else
    EXPECT_EQ(image.headers->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(image.headers->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
#endif
}

TEST_F(PluginImageTest, ExportsExactlyTheSixHostFunctions) {
    std::vector<std::string> names = exportNames(image);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"beNotified", "getFuncsArray", "getName",
                                               "isUnicode", "messageProc", "setInfo"}));
}

TEST_F(PluginImageTest, ImportsOnlyWindowsSystemLibraries) {
    std::vector<std::string> libraries = importedLibraries(image);
    EXPECT_FALSE(libraries.empty());
    std::string list;
    for (const std::string& library : libraries) {
        EXPECT_TRUE(isSystemLibrary(library)) << library;
        list += (list.empty() ? "" : ", ") + library;
    }
    std::cout << "imports: " << list << "\n";
}

TEST_F(PluginImageTest, CarriesTheSecurityFlags) {
    WORD flags = image.headers->OptionalHeader.DllCharacteristics;
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
#if defined(_WIN64)
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA);
#endif
    EXPECT_NE(image.directory(IMAGE_DIRECTORY_ENTRY_BASERELOC).Size, 0u)
        << "a relocatable image needs its relocations";
    std::cout << "size: " << image.bytes.size() << " bytes, DllCharacteristics: 0x" << std::hex
              << flags << std::dec << "\n";
}

} // namespace
