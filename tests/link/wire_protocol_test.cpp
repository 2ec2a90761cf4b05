#include "link/wire_protocol.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string frameOf(const std::string& body, std::size_t capacity = kMaxFrameSize) {
    unsigned char out[kMaxFrameSize + 1];
    std::size_t size = buildFrame(body.data(), body.size(), out, capacity);
    return std::string(reinterpret_cast<const char*>(out), size);
}

TEST(WireFrame, LengthCountsTheHeaderAndTheRegistrationIsItsWorkedCase) {
    EXPECT_EQ(frameOf("1002,2"), std::string("\xFF\xFF"
                                             "00121002,2"));
    EXPECT_EQ(frameOf("1002,2"), std::string(reinterpret_cast<const char*>(kRegistrationFrame),
                                             kRegistrationFrameSize));
    EXPECT_EQ(frameOf("x"), std::string("\xFF\xFF"
                                        "0007x"));
    EXPECT_EQ(frameOf(std::string(9993, 'a')).size(), 9999u) << "the largest frame";
    EXPECT_EQ(frameOf(std::string(9994, 'a')), "") << "beyond four digits";
    EXPECT_EQ(frameOf(""), "") << "a frame carries at least one byte";
    EXPECT_EQ(frameOf("1005", 9), "") << "does not fit the buffer";
}

TEST(WireFrame, HeaderIsTakenApartByMarkerAndLengthRule) {
    const unsigned char good[2] = {0xFF, 0xFF};
    const unsigned char wrong[2] = {0xFF, 0xFE};
    const struct {
        const unsigned char* marker;
        const char* length;
        int result;
        std::size_t bodyLength;
    } cases[] = {
        {good, "0007", 0, 1},    {good, "4101", 0, 4095},
        {good, "9999", 0, 9993}, {good, " 012", 0, 6},   // leading blank skipped
        {good, "12ab", 0, 6},                            // digits up to the first non-digit
        {good, "0006", 17, 0},                           // no body
        {good, "0000", 17, 0},   {good, "abcd", 17, 0},  // no digits read as 0
        {good, "-012", 17, 0},   {wrong, "0012", 18, 0},
    };
    for (const auto& c : cases) {
        unsigned char header[kFrameHeaderSize];
        std::memcpy(header, c.marker, 2);
        std::memcpy(header + 2, c.length, 4);
        std::size_t bodyLength = 0;
        EXPECT_EQ(checkFrameHeader(header, bodyLength), c.result) << c.length;
        if (c.result == 0) {
            EXPECT_EQ(bodyLength, c.bodyLength) << c.length;
        }
    }
}

TEST(WireCodes, CodeIsTheFirstFourCharactersOnly) {
    EXPECT_TRUE(hasCode("1008,a,b", kCodeAgentMessage));
    EXPECT_TRUE(hasCode("10089a,b", kCodeAgentMessage)) << "the fifth character is no part of it";
    EXPECT_TRUE(hasCode("1003", kCodeRegistrationReply));
    EXPECT_FALSE(hasCode("100", kCodeAgentMessage));
    EXPECT_FALSE(hasCode("", kCodeKeepQuiet));
    EXPECT_FALSE(hasCode("2008,x", kCodeAgentMessage));
}

TEST(WireRegistrationReply, AcceptedRefusedOrInvalid) {
    const struct {
        const char* afterCode;
        RegistrationReply reply;
        const char* shown;
    } cases[] = {
        {",ok", RegistrationReply::Accepted, ",ok"},
        {",ok and more", RegistrationReply::Accepted, ",ok and more"},
        {",failed,busy", RegistrationReply::Refused, "busy"},
        {",failed,", RegistrationReply::Refused, ""},
        {",failed", RegistrationReply::Invalid, ",failed"},
        {",OK", RegistrationReply::Invalid, ",OK"},
        {"", RegistrationReply::Invalid, ""},
    };
    for (const auto& c : cases) {
        const char* shown = nullptr;
        EXPECT_EQ(classifyRegistrationReply(c.afterCode, shown), c.reply) << c.afterCode;
        EXPECT_STREQ(shown, c.shown) << c.afterCode;
    }
}

}  // namespace
