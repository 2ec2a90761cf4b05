#include "e2e_proc_files.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr int kUserTimeField = 14;
constexpr int kSystemTimeField = 15;
constexpr int kStartTimeField = 22;

// Field `number` (counted from 1, as proc(5) does) of a stat file. The second field, the
// command name in parentheses, may hold blanks, so counting starts after its ')'.
int64_t statField(const std::string& path, int number) {
    std::ifstream file(path);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos) return -1;
    std::istringstream fields(text.substr(nameEnd + 1));
    std::string field;
    for (int current = 3; fields >> field; ++current) {
        if (current == number) return std::strtoll(field.c_str(), nullptr, 10);
    }
    return -1;
}

int64_t cpuTicksIn(const std::string& statPath) {
    const int64_t user = statField(statPath, kUserTimeField);
    const int64_t system = statField(statPath, kSystemTimeField);
    return user < 0 || system < 0 ? -1 : user + system;
}

std::string procPath(pid_t pid) {
    return "/proc/" + std::to_string(pid);
}

}  // namespace

int64_t processCpuTicks(pid_t pid) {
    return cpuTicksIn(procPath(pid) + "/stat");
}

int64_t threadCpuTicks(pid_t pid, pid_t thread) {
    return cpuTicksIn(procPath(pid) + "/task/" + std::to_string(thread) + "/stat");
}

double clockTicksPerSecond() {
    return static_cast<double>(sysconf(_SC_CLK_TCK));
}

int64_t statusKilobytes(pid_t pid, const char* field) {
    std::ifstream file(procPath(pid) + "/status");
    const std::string wanted = std::string(field) + ":";
    std::string line;
    while (std::getline(file, line)) {
        if (line.compare(0, wanted.size(), wanted) == 0) {
            return std::strtoll(line.c_str() + wanted.size(), nullptr, 10);
        }
    }
    return -1;
}

double millisecondsSinceStart(pid_t pid) {
    const int64_t startTicks = statField(procPath(pid) + "/stat", kStartTimeField);
    if (startTicks < 0) return -1;
    // The start time counts from boot, as CLOCK_BOOTTIME does.
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs =
        static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
    return nowMs - static_cast<double>(startTicks) * 1e3 / clockTicksPerSecond();
}
