// A fresh folder under the temporary folder that is the process's current directory for
// the life of one test, removed with everything in it afterwards.
#pragma once

#include <string>

class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& path() const;
    // Writes `bytes` exactly to `relative`, creating the folders on the way.
    void writeFile(const std::string& relative, const std::string& bytes) const;
    void makeFolder(const std::string& relative) const;

  private:
    std::string path_;
    std::string previous_;
};

// Where the plug-in looks for a template, relative to the current directory.
std::string templatePath(const std::string& fileName);
