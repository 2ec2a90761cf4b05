#include "link/server_link.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "link/agent_msg_target.h"
#include "link/socket_layer.h"
#include "link/wire_protocol.h"
#include "settings/decimal.h"

namespace {

constexpr std::size_t kHostBoxCapacity = 30;
constexpr std::size_t kPortBoxCapacity = 5;
constexpr std::size_t kRefreshBoxCapacity = 3;
constexpr std::size_t kNumberBoxRoom = kPortBoxCapacity + 1;  // the larger number box
constexpr int32_t kMillisecondsPerSecond = 1000;
constexpr std::size_t kSysMsgPrefixLength = 10;
constexpr const char kSeverityError[] = "ERROR";
// Room for any body the reader hands over, with the words around it.
constexpr std::size_t kMessageSize = kBodyBufferSize + 128;

constexpr const char* kHostMissing = "WARNING: host name of Tavrel must be specified";
constexpr const char* kPortOutOfRange = "WARNING: TCP port is out of range (1...65535) or empty";
constexpr const char* kRefreshOutOfRange =
    "WARNING: state duration refresh timer out of range (1...60) or empty";
constexpr const char* kSocketInitFailed =
    "ERROR: socket initialization, so_init() failed; cannot start program";
constexpr const char* kResolveFailedFormat = "ERROR: getipaddress(%s) failed; error[%s]";
constexpr const char* kConnectFailedFormat = "ERROR: connect2server(%s:%d) failed; error[%s]";
constexpr const char* kThreadFailed =
    "ERROR: start_thread(threadReadSocketData) failed; consult IT support";
constexpr const char* kThreadNotSeen =
    "WARNING: start_thread(threadReadSocketData) not found; continue anyway";
constexpr const char* kRegistrationNotSent =
    "ERROR: socket connection was broken/disconnected; terminated";
constexpr const char* kFatalFormat = "Fatal error, connection closed; reset required\n[%s]";
constexpr const char* kRegistrationAccepted = "Registration to server succeeded";
constexpr const char* kRegistrationRefusedFormat =
    "Registration failed [%s]; please check error and restart";
constexpr const char* kRegistrationInvalidFormat =
    "Invalid registration reply [%s]; please check error and restart";
constexpr const char* kAgentTraceFormat = "DEBUG: aTbl[%d], agentid=(%s), mode=(%s), dnstate=(%s)";
constexpr const char* kUnexpectedFormat = "WARNING: unexpected msg - %s";

// The fields of an agent message start at the body's sixth character; a body that ends
// before it carries none (and reading past its end is no option).
const char* agentMessageFields(const char* body) {
    constexpr std::size_t kFieldsOffset = 5;
    return strnlen(body, kFieldsOffset) == kFieldsOffset ? body + kFieldsOffset : "";
}

}  // namespace

ServerLink::ServerLink(BoardSettings& settings, LinkWindow& window, MessageSink& messages,
                       AgentTable& table, RowPlacement& rows, const DebugLog& log)
    : settings_(settings),
      window_(window),
      messages_(messages),
      table_(table),
      rows_(rows),
      log_(log) {
    readerArgs_.settings = &settings_;
}

ServerLink::~ServerLink() {
    // Nobody is left to show the reader's last reports: let it end quietly, then wait.
    if (readerArgs_.socket != nullptr) readerArgs_.socket->abandon();
    reader_.join();
}

void ServerLink::OnStart() {
    if (!readHostBox()) return;
    if (!readNumberBox(ConnectBox::Port, kPortBoxCapacity, 1, 65535, kPortOutOfRange,
                       settings_.port)) {
        return;
    }
    char port[12];
    std::snprintf(port, sizeof port, "%d", settings_.port);
    window_.writeBox(ConnectBox::Port, port);
    if (!readNumberBox(ConnectBox::Refresh, kRefreshBoxCapacity, 1, 60, kRefreshOutOfRange,
                       settings_.refreshSeconds)) {
        return;
    }
    if (!connectToServer() || !startReaderAndRegister()) return;
    window_.setConnectControlsEnabled(false);
    window_.startRefreshTimer(settings_.refreshSeconds * kMillisecondsPerSecond);
}

bool ServerLink::readHostBox() {
    char host[kHostBoxCapacity + 1];
    window_.readBox(ConnectBox::Host, host, kHostBoxCapacity);
    settings_.host.assign(host);
    if (settings_.host.empty()) {
        messages_.showMessage(kHostMissing);
        return false;
    }
    window_.writeBox(ConnectBox::Host, settings_.host.c_str());
    return true;
}

// The value is stored before it is checked, so a refused one stays in the settings; an
// empty box stores 0.
bool ServerLink::readNumberBox(ConnectBox box, std::size_t capacity, int32_t low, int32_t high,
                               const char* warning, int32_t& value) {
    char text[kNumberBoxRoom];
    window_.readBox(box, text, capacity < kNumberBoxRoom ? capacity : kNumberBoxRoom - 1);
    value = text[0] == '\0' ? 0 : readDecimal(text);
    if (text[0] != '\0' && value >= low && value <= high) return true;
    messages_.showMessage(warning);
    return false;
}

bool ServerLink::connectToServer() {
    if (so_init() != 0) {
        messages_.setStatusLine(kSocketInitFailed);
        messages_.showMessage(kSocketInitFailed);
        return false;
    }
    char message[kMessageSize];
    uint32_t address = 0;
    LinkStatus status = getipaddress(settings_.host.c_str(), address);
    if (status != kLinkOk) {
        std::snprintf(message, sizeof message, kResolveFailedFormat, settings_.host.c_str(),
                      socket_getErrorMsg(status));
        messages_.showMessage(message);
        return false;
    }
    status = connect2server(address, settings_.port, &readerArgs_.socket);
    if (status != kLinkOk) {
        std::snprintf(message, sizeof message, kConnectFailedFormat, settings_.host.c_str(),
                      settings_.port, socket_getErrorMsg(status));
        messages_.showMessage(message);
        return false;
    }
    return true;
}

// The message box comes first; the socket is closed and the library released once the user
// has closed it.
bool ServerLink::startReaderAndRegister() {
    int started = reader_.start_thread(threadReadSocketData, readerArgs_);
    if (started == ReaderThread::kNotCreated) {
        giveUpConnection(kThreadFailed);
        return false;
    }
    if (started == ReaderThread::kNotSeenRunning) messages_.showMessage(kThreadNotSeen);
    if (socket_sendRegistration(readerArgs_.socket.get()) != kLinkOk) {
        giveUpConnection(kRegistrationNotSent);
        return false;
    }
    return true;
}

void ServerLink::giveUpConnection(const char* text) {
    messages_.showMessage(text);
    closeConnection();
    so_release();
}

int ServerLink::OnAgentMsg(char* block, int32_t kind) {
    if (block == nullptr) return 0;
    std::unique_ptr<char[]> owned(block);
    if (kind != AGENTMSG_DATA && kind != AGENTMSG_SYSMSG) return 0;
    if (kind == AGENTMSG_SYSMSG && std::strncmp(block, kSysMsgPrefix, kSysMsgPrefixLength) == 0) {
        handleSystemMessage(block + kSysMsgPrefixLength);
    } else {
        handleServerBody(block);
    }
    return 0;
}

void ServerLink::closeForExit() {
    if (readerArgs_.socket == nullptr) return;
    // The program ends: the reader's reports about this close would reach nobody.
    readerArgs_.socket->abandon();
    so_release();
}

void ServerLink::handleSystemMessage(const char* afterPrefix) {
    constexpr std::size_t kSeverityLength = sizeof kSeverityError - 1;
    if (std::strncmp(afterPrefix, kSeverityError, kSeverityLength) != 0) {
        messages_.setStatusLine(afterPrefix);
        return;
    }
    const char* report = afterPrefix + kSeverityLength;
    char message[kMessageSize];
    std::snprintf(message, sizeof message, kFatalFormat, report);
    closeConnection();
    messages_.setStatusLine(report);
    window_.stopRefreshTimer();
    messages_.showMessage(message);
}

void ServerLink::handleServerBody(const char* body) {
    if (settings_.debug) log_.writeDebugLog(body);
    if (hasCode(body, kCodeRegistrationReply)) {
        handleRegistrationReply(body + 4);
    } else if (hasCode(body, kCodeAgentMessage)) {
        handleAgentMessage(body);
    } else if (!hasCode(body, kCodeKeepQuiet)) {
        char message[kMessageSize];
        std::snprintf(message, sizeof message, kUnexpectedFormat, body);
        messages_.setStatusLine(message);
    }
}

void ServerLink::handleRegistrationReply(const char* afterCode) {
    const char* shown = afterCode;
    RegistrationReply reply = classifyRegistrationReply(afterCode, shown);
    if (reply == RegistrationReply::Accepted) {
        messages_.setStatusLine(kRegistrationAccepted);
        return;
    }
    char message[kMessageSize];
    std::snprintf(message, sizeof message,
                  reply == RegistrationReply::Refused ? kRegistrationRefusedFormat
                                                      : kRegistrationInvalidFormat,
                  shown);
    refuseRegistration(message);
}

void ServerLink::handleAgentMessage(const char* body) {
    int32_t index = table_.update_agentTbl(agentMessageFields(body));
    if (index < 0) return;
    const AgentRecord& record = table_.record(index);
    if (settings_.debug) {
        char trace[kMessageSize];
        std::snprintf(trace, sizeof trace, kAgentTraceFormat, index, record.agentid.c_str(),
                      record.mode.c_str(), record.dnstate.c_str());
        log_.writeDebugLog(trace);
    }
    rows_.placeAgentRow(record);
}

void ServerLink::refuseRegistration(const char* text) {
    messages_.setStatusLine(text);
    messages_.showMessage(text);
    closeConnection();
}

void ServerLink::closeConnection() {
    if (readerArgs_.socket != nullptr) readerArgs_.socket->close();
}
