#pragma once

#include <string>

// A fresh directory under /tmp for a benchmark's child processes to work in; removed with
// the files in it when the benchmark ends.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // Empty when the directory could not be made.
    const std::string& path() const { return path_; }
    std::string file(const char* name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};
