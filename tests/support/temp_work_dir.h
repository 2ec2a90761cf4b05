#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// Makes a fresh directory and works in it for the life of the object, so that files the
// program writes to its working directory land there; removes it afterwards.
class TempWorkDir {
  public:
    TempWorkDir() : previous_(std::filesystem::current_path()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "brevix-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        std::filesystem::current_path(path_);
    }
    ~TempWorkDir() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    void write(const std::string& name, const std::string& content) const {
        std::ofstream(path_ / name, std::ios::binary) << content;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

  private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};
