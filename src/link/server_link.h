#pragma once

#include <cstddef>
#include <cstdint>

#include "board/agent_table.h"
#include "board/row_placement.h"
#include "link/link_window.h"
#include "link/reader_thread.h"
#include "settings/board_settings.h"
#include "settings/debug_log.h"
#include "settings/message_sink.h"

// Where the window thread meets the link: the Start command and the handler of the texts
// the reader thread hands over.
class ServerLink {
  public:
    ServerLink(BoardSettings& settings, LinkWindow& window, MessageSink& messages,
               AgentTable& table, RowPlacement& rows, const DebugLog& log);
    // Closes the connection and waits for the reader thread, which ends without reporting it.
    ~ServerLink();

    // The Start button: check the boxes, connect, start the reader, register, start timer 59.
    void OnStart();

    // A hand-over from the reader thread. Takes ownership of `block` (new char[]) and frees
    // it in every case. Returns 0.
    int OnAgentMsg(char* block, int32_t kind);

    // Exit: close a stored connection socket and release the socket library. The reader then
    // ends without reporting the close, since the program is ending.
    void closeForExit();

    const ReaderThreadArgs& readerArgs() const { return readerArgs_; }

  private:
    bool readHostBox();
    bool readNumberBox(ConnectBox box, std::size_t capacity, int32_t low, int32_t high,
                       const char* warning, int32_t& value);
    bool connectToServer();
    bool startReaderAndRegister();
    // A Start that fails after connecting: the message box, then close and release.
    void giveUpConnection(const char* text);
    void handleSystemMessage(const char* afterPrefix);
    void handleServerBody(const char* body);
    void handleRegistrationReply(const char* afterCode);
    void handleAgentMessage(const char* body);
    // Status line and message box, then the connection is closed.
    void refuseRegistration(const char* text);
    void closeConnection();

    BoardSettings& settings_;
    LinkWindow& window_;
    MessageSink& messages_;
    AgentTable& table_;
    RowPlacement& rows_;
    const DebugLog& log_;
    ReaderThreadArgs readerArgs_;
    ReaderThread reader_;
};
