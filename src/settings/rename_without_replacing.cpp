#include "settings/rename_without_replacing.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

namespace {

bool nameIsFree(const char* name) {
    struct stat status;
    return lstat(name, &status) != 0 && errno == ENOENT;
}

}  // namespace

bool renameWithoutReplacing(const char* from, const char* to) {
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // The file system cannot refuse the replacement itself: look first. Another process could
    // take the name between the look and the move, but nothing else writes layout backups.
    return nameIsFree(to) && std::rename(from, to) == 0;
}
