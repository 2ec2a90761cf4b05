#include "link/wire_protocol.h"

#include <cstdio>
#include <cstring>

#include "settings/decimal.h"

const unsigned char kRegistrationFrame[kRegistrationFrameSize] = {0xFF, 0xFF, '0', '0', '1', '2',
                                                                  '1',  '0',  '0', '2', ',', '2'};

std::size_t buildFrame(const char* body, std::size_t bodyLength, unsigned char* out,
                       std::size_t outCapacity) {
    std::size_t frameSize = bodyLength + kFrameHeaderSize;
    if (bodyLength == 0 || frameSize > kMaxFrameSize || frameSize > outCapacity) return 0;
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04zu", frameSize);
    out[0] = 0xFF;
    out[1] = 0xFF;
    std::memcpy(out + 2, digits, 4);
    std::memcpy(out + kFrameHeaderSize, body, bodyLength);
    return frameSize;
}

int checkFrameHeader(const unsigned char (&header)[kFrameHeaderSize], std::size_t& bodyLength) {
    if (header[0] != 0xFF || header[1] != 0xFF) return 18;
    char digits[5];
    std::memcpy(digits, header + 2, 4);
    digits[4] = '\0';
    int32_t frameLength = readDecimal(digits);
    if (frameLength <= static_cast<int32_t>(kFrameHeaderSize)) return 17;
    bodyLength = static_cast<std::size_t>(frameLength) - kFrameHeaderSize;
    return 0;
}

bool hasCode(const char* body, const char* code) {
    return std::strncmp(body, code, 4) == 0;
}

RegistrationReply classifyRegistrationReply(const char* afterCode, const char*& shown) {
    static constexpr const char kAccepted[] = ",ok";
    static constexpr const char kRefused[] = ",failed,";
    if (std::strncmp(afterCode, kAccepted, sizeof kAccepted - 1) == 0) {
        shown = afterCode;
        return RegistrationReply::Accepted;
    }
    if (std::strncmp(afterCode, kRefused, sizeof kRefused - 1) == 0) {
        shown = afterCode + (sizeof kRefused - 1);
        return RegistrationReply::Refused;
    }
    shown = afterCode;
    return RegistrationReply::Invalid;
}
