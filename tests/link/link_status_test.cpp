#include "link/link_status.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(LinkStatusText, KnownCodesAndOutOfRange) {
    const struct {
        LinkStatus code;
        const char* text;
    } cases[] = {
        {0, "successful"},
        {3, "connect() function error"},
        {4, "connection already closed"},
        {17, "invalid message size received"},
        {18, "invalid read msg address header/size"},
        {23, "read msg (select()) timeout"},
        {27, "socket disconnection detected"},
        {30, "Unclassified error encountered"},
        {31, "socket_getErrorMsg(error code out of range)/application error Code"},
        {-1, "socket_getErrorMsg(error code out of range)/application error Code"},
    };
    for (const auto& c : cases) EXPECT_STREQ(socket_getErrorMsg(c.code), c.text) << c.code;
}

TEST(LinkStatusConnectionLost, ExactlyTheTenWindowsSocketsNumbers) {
    const int32_t lost[] = {10022, 10038, 10050, 10052, 10053, 10054, 10057, 10058, 10060, 10093};
    for (int32_t error : lost) EXPECT_TRUE(socket_isConnectionLost(error)) << error;
    const int32_t notLost[] = {0, 10035, 10051, 10055, 10061, 10059, 10092, 10094, 22, -1};
    for (int32_t error : notLost) EXPECT_FALSE(socket_isConnectionLost(error)) << error;
}

TEST(LinkStatusErrno, MapsOntoWindowsSocketsNumbersAndClassifies) {
    const struct {
        int errnoValue;
        int32_t winsock;
        LinkStatus status;  // with 28 as the status for errors that are no connection loss
    } cases[] = {
        {EBADF, 10038, 4},     {ENOTSOCK, 10038, 4},     {ECONNRESET, 10054, 4},
        {EPIPE, 10058, 4},     {ENOTCONN, 10057, 4},     {ETIMEDOUT, 10060, 4},
        {EINVAL, 10022, 4},    {ECONNABORTED, 10053, 4}, {ENETDOWN, 10050, 4},
        {ENETRESET, 10052, 4}, {EAGAIN, 10035, 28},      {ECONNREFUSED, 10061, 28},
        {ENOBUFS, 10055, 28},  {ENOMEM, 0, 28},          {0, 0, 28},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(winsockErrorOf(c.errnoValue), c.winsock) << c.errnoValue;
        EXPECT_EQ(statusOfSocketError(c.errnoValue, kLinkSocketError), c.status) << c.errnoValue;
    }
}

}  // namespace
