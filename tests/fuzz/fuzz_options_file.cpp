// Feeds any bytes to the options reader as Brevix.ini, with the debug log on so that every
// warning is formatted and written too. Each input gets a scratch directory of its own, and
// the fuzzer's own working directory is back in place after every run.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/options_file.h"
#include "support/fake_clock.h"
#include "support/temp_work_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TempWorkDir dir;
    const FakeClock clock;
    const DebugLog log(clock);
    BoardSettings settings;
    settings.debug = 1;

    dir.write(kOptionsFileName, std::string(reinterpret_cast<const char*>(data), size));
    OptionTables tables;
    if (readOptions(tables, settings, log) != 1) __builtin_trap();
    for (const ThresholdTable::Slot& slot : tables.thresholds.slot) {
        if (slot.count < 0 || slot.count > ThresholdTable::kMaxBands) __builtin_trap();
    }
    return 0;
}
