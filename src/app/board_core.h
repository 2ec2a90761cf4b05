#pragma once

#include "app/grid/grid_view.h"
#include "board/agent_message.h"
#include "board/agent_table.h"
#include "board/row_placement.h"
#include "board/row_renderer.h"
#include "link/agent_msg_target.h"
#include "link/link_window.h"
#include "link/server_link.h"
#include "settings/board_settings.h"
#include "settings/clock.h"
#include "settings/colour_tables.h"
#include "settings/debug_log.h"
#include "settings/layout_file.h"
#include "settings/message_sink.h"

// The main window's side of the program as one plain object: the settings, the tables, the
// agent board, the server link and the layout file, wired to the window through its small
// interfaces. The window thread owns it for the whole run.
class BoardCore {
  public:
    struct WindowParts {
        GridView& grid;
        MessageSink& messages;
        LinkWindow& linkWindow;
        LayoutWindow& layoutWindow;
        const QueueFilterSource& queueFilter;
    };

    BoardCore(const WindowParts& window, const Clock& clock);

    // The window's start-up after its controls exist: defaults, the scan format, the command
    // line, the three connection boxes, the grid's columns, the options file and, with
    // -restore, the saved layout.
    void initialise(int argc, const char* const* argv, AgentMsgTarget& mainWindow);

    BoardSettings settings;
    OptionTables tables;
    AgentMessageScan scan;
    DebugLog log;
    AgentTable table;
    RowRenderer renderer;
    RowPlacement rows;
    ServerLink link;
    LayoutFile layout;

  private:
    void writeConnectionBoxes();

    GridView& grid_;
    LinkWindow& linkWindow_;
    MessageSink& messages_;
};
