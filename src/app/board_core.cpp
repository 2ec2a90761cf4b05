#include "app/board_core.h"

#include <cstdio>

#include "app/command_line.h"
#include "app/grid_setup.h"
#include "settings/options_file.h"

BoardCore::BoardCore(const WindowParts& window, const Clock& clock)
    : log(clock),
      table(scan, tables.auxTitles, settings, clock, window.messages, log),
      renderer(window.grid, settings, tables, clock),
      rows(window.grid, table, renderer, settings, window.queueFilter),
      link(settings, window.linkWindow, window.messages, table, rows, log),
      layout(window.grid, window.layoutWindow, window.messages, settings, log, clock),
      grid_(window.grid),
      linkWindow_(window.linkWindow),
      messages_(window.messages) {}

void BoardCore::initialise(int argc, const char* const* argv, AgentMsgTarget& mainWindow) {
    settings.mainWindow = &mainWindow;
    settings.host.assign(kDefaultServerAddress);
    settings.port = kDefaultServerPort;
    scan.compose();
    bool restoreRequested = readCommandLine(argc, argv, settings, messages_);
    writeConnectionBoxes();
    setUpAgentGrid(grid_);
    rows.resetToHeaderRow();
    readOptions(tables, settings, log);
    if (restoreRequested) layout.restoreTableConfig();
}

void BoardCore::writeConnectionBoxes() {
    char number[16];
    linkWindow_.writeBox(ConnectBox::Host, settings.host.c_str());
    std::snprintf(number, sizeof number, "%d", static_cast<int>(settings.port));
    linkWindow_.writeBox(ConnectBox::Port, number);
    std::snprintf(number, sizeof number, "%d", static_cast<int>(settings.refreshSeconds));
    linkWindow_.writeBox(ConnectBox::Refresh, number);
}
