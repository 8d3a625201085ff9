#include "scratch_directory.h"

#include <windows.h>

#include <stdexcept>

namespace {

void removeTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            std::string child = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string currentDirectory() {
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return std::string(buffer, length);
}

} // namespace

ScratchDirectory::ScratchDirectory() : previous_(currentDirectory()) {
    static unsigned counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "tamrel-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    removeTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr) || !SetCurrentDirectoryA(path_.c_str())) {
        throw std::runtime_error("cannot create scratch folder " + path_);
    }
}

ScratchDirectory::~ScratchDirectory() {
    SetCurrentDirectoryA(previous_.c_str());
    removeTree(path_);
}

const std::string& ScratchDirectory::path() const {
    return path_;
}

void ScratchDirectory::makeFolder(const std::string& relative) const {
    std::string full = path_ + "\\" + relative;
    for (std::size_t at = path_.size() + 1; at != std::string::npos; at = full.find('\\', at + 1)) {
        CreateDirectoryA(full.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryA(full.c_str(), nullptr);
}

void ScratchDirectory::writeFile(const std::string& relative, const std::string& bytes) const {
    std::size_t slash = relative.rfind('\\');
    if (slash != std::string::npos) {
        makeFolder(relative.substr(0, slash));
    }
    std::string full = path_ + "\\" + relative;
    HANDLE file = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool ok = file != INVALID_HANDLE_VALUE &&
              WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    if (!ok) {
        throw std::runtime_error("cannot write " + full);
    }
}

std::string templatePath(const std::string& fileName) {
    return "plugins\\tamrel_templates\\" + fileName;
}
