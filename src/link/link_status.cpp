#include "link/link_status.h"

#include <cerrno>
#include <cstddef>

namespace {

constexpr const char* kStatusTexts[] = {
    "successful",
    "bind() function error",
    "close handle with error",
    "connect() function error",
    "connection already closed",
    "connection not ready for transaction",
    "connection request is rejected",
    "error in gethostbyname()",
    "error in gethostname()",
    "error in memory allocation",
    "invalid read msg size",
    "error in read msg select() function",
    "send msg size too big",
    "get result time-out",
    "invalid host name or IP address",
    "invalid IP port value",
    "invalid message type received",
    "invalid message size received",
    "invalid read msg address header/size",
    "invalid send msg address/size",
    "invalid socket handle",
    "invalid transaction id",
    "listen() function error",
    "read msg (select()) timeout",
    "retry limits expired",
    "send() function error",
    "send() complete only partial data",
    "socket disconnection detected",
    "socket() function error",
    "Socket send function failed",
    "Unclassified error encountered",
};
constexpr std::size_t kStatusCount = sizeof kStatusTexts / sizeof kStatusTexts[0];
static_assert(kStatusCount == 31);

constexpr const char* kOutOfRangeText =
    "socket_getErrorMsg(error code out of range)/application error Code";

struct ErrnoMapping {
    int errnoValue;
    int32_t winsockError;
};

// Windows Sockets numbers are WSABASEERR (10000) plus the BSD errno of the same meaning.
constexpr ErrnoMapping kErrnoMappings[] = {
    {EINTR, 10004},        {EBADF, 10038},       {EACCES, 10013},          {EFAULT, 10014},
    {EINVAL, 10022},       {EMFILE, 10024},      {EAGAIN, 10035},          {EINPROGRESS, 10036},
    {EALREADY, 10037},     {ENOTSOCK, 10038},    {EDESTADDRREQ, 10039},    {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},   {ENOPROTOOPT, 10042}, {EPROTONOSUPPORT, 10043}, {EOPNOTSUPP, 10045},
    {EAFNOSUPPORT, 10047}, {EADDRINUSE, 10048},  {EADDRNOTAVAIL, 10049},   {ENETDOWN, 10050},
    {ENETUNREACH, 10051},  {ENETRESET, 10052},   {ECONNABORTED, 10053},    {ECONNRESET, 10054},
    {ENOBUFS, 10055},      {EISCONN, 10056},     {ENOTCONN, 10057},        {EPIPE, 10058},
    {ESHUTDOWN, 10058},    {ETIMEDOUT, 10060},   {ECONNREFUSED, 10061},    {EHOSTDOWN, 10064},
    {EHOSTUNREACH, 10065},
};

constexpr int32_t kConnectionLostErrors[] = {10022, 10038, 10050, 10052, 10053,
                                             10054, 10057, 10058, 10060, 10093};

}  // namespace

const char* socket_getErrorMsg(LinkStatus code) {
    if (code < 0 || static_cast<std::size_t>(code) >= kStatusCount) return kOutOfRangeText;
    return kStatusTexts[code];
}

bool socket_isConnectionLost(int32_t error) {
    for (int32_t lost : kConnectionLostErrors) {
        if (error == lost) return true;
    }
    return false;
}

int32_t winsockErrorOf(int errnoValue) {
    for (const ErrnoMapping& mapping : kErrnoMappings) {
        if (mapping.errnoValue == errnoValue) return mapping.winsockError;
    }
    return 0;
}

LinkStatus statusOfSocketError(int errnoValue, LinkStatus otherwise) {
    return socket_isConnectionLost(winsockErrorOf(errnoValue)) ? kLinkAlreadyClosed : otherwise;
}
