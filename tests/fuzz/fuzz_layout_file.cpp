// Feeds any bytes to the layout reader as BrevixTable.cfg, then saves the result and reads
// that back, against a recording grid and a fake main window. Each input gets a scratch
// directory of its own, and the fuzzer's own working directory is back in place after every
// run.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/fake_layout_window.h"
#include "settings/layout_file.h"
#include "support/fake_clock.h"
#include "support/recording_grid.h"
#include "support/recording_message_sink.h"
#include "support/temp_work_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TempWorkDir dir;
    const FakeClock clock;
    const DebugLog log(clock);
    const BoardSettings settings;
    RecordingGrid grid;
    FakeLayoutWindow window;
    RecordingMessageSink messages;
    LayoutFile layout(grid, window, messages, settings, log, clock);

    dir.write("BrevixTable.cfg", std::string(reinterpret_cast<const char*>(data), size));
    layout.restoreTableConfig();
    if (grid.getColumnCount() != 7) __builtin_trap();
    for (int32_t column = 0; column < 7; ++column) {
        if (grid.text(0, column).size() > 31) __builtin_trap();
    }
    if (window.queueFilter.size() > 255) __builtin_trap();

    layout.saveTableConfig();
    layout.restoreTableConfig();
    return 0;
}
