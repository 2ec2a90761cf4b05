#include "e2e_scratch_dir.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

ScratchDir::ScratchDir() {
    char pattern[] = "/tmp/brevix-bench-XXXXXX";
    if (mkdtemp(pattern) != nullptr) path_ = pattern;
}

ScratchDir::~ScratchDir() {
    if (path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
