#include "board/agent_message.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

namespace {

TEST(AgentMessageScan, ComposesTheFormatFromTheFieldCapacities) {
    AgentMessageScan scan;
    scan.compose();
    EXPECT_STREQ("%31[^,],%63[^,],%15[^,],%31[^,],%*d,%*d,%15[^,],%255s", scan.format);
}

TEST(AgentMessageScan, RejectsEverythingBeforeItIsComposedAndANullText) {
    AgentMessageScan scan;
    AgentMessageFields fields;
    EXPECT_FALSE(scan.scan("A1,N,READY,2001,0,0,IDLE,Q1", fields));
    scan.compose();
    EXPECT_FALSE(scan.scan(nullptr, fields));
}

struct ValidCase {
    const char* what;
    std::string body;
    std::string id, name, mode, extension, dnstate, queues;
};

struct InvalidCase {
    const char* what;
    std::string body;
};

// Test names and failure reports show a case by its description.
void PrintTo(const ValidCase& c, std::ostream* out) {
    *out << c.what;
}
void PrintTo(const InvalidCase& c, std::ostream* out) {
    *out << c.what;
}

std::string repeat(char c, std::size_t n) {
    return std::string(n, c);
}

const ValidCase kValidCases[] = {
    {"plain", "A1,Ann Lee,READY,2001,0,0,IDLE,Q1", "A1", "Ann Lee", "READY", "2001", "IDLE", "Q1"},
    {"white space kept in text fields", " A1 ,  Ann ,READY ,20 01,0,0, IDLE ,Q1", " A1 ", "  Ann ",
     "READY ", "20 01", " IDLE ", "Q1"},
    {"signed numbers with leading blanks", "A1,N,READY,2001, -5,+7,IDLE,Q1", "A1", "N", "READY",
     "2001", "IDLE", "Q1"},
    {"numbers beyond 32 bits", "A1,N,READY,2001,99999999999999999999,-1,IDLE,Q1", "A1", "N",
     "READY", "2001", "IDLE", "Q1"},
    {"queues stop at a blank", "A1,N,READY,2001,0,0,IDLE,Q1 Q2", "A1", "N", "READY", "2001", "IDLE",
     "Q1"},
    {"queues skip leading white space", "A1,N,READY,2001,0,0,IDLE, \t\nQ1\r\n", "A1", "N", "READY",
     "2001", "IDLE", "Q1"},
    {"commas belong to the queues", "A1,N,READY,2001,0,0,IDLE,Q1,Q2,", "A1", "N", "READY", "2001",
     "IDLE", "Q1,Q2,"},
    {"a comma in the name shifts the fields", "A1,Lee, Ann,READY,2001,0,0,IDLE,Q1", "A1", "Lee",
     " Ann", "READY", "0", "IDLE,Q1"},
    {"control bytes inside text fields",
     "A\t1,N\r\nX,READY,\x01"
     "2001,0,0,ID\x7FLE,Q\x02",
     "A\t1", "N\r\nX", "READY",
     "\x01"
     "2001",
     "ID\x7FLE", "Q\x02"},
    {"bytes above 127", "\xC3\xA9,Z\xFCrich,READY,2001,0,0,IDLE,Q\xA0X", "\xC3\xA9", "Z\xFCrich",
     "READY", "2001", "IDLE", "Q\xA0X"},
    {"fields at their capacities",
     repeat('i', 31) + "," + repeat('n', 63) + "," + repeat('m', 15) + "," + repeat('e', 31) +
         ",0,0," + repeat('s', 15) + "," + repeat('q', 255),
     repeat('i', 31), repeat('n', 63), repeat('m', 15), repeat('e', 31), repeat('s', 15),
     repeat('q', 255)},
    {"queues beyond 255 are cut", "A1,N,READY,2001,0,0,IDLE," + repeat('q', 300), "A1", "N",
     "READY", "2001", "IDLE", repeat('q', 255)},
};

const InvalidCase kInvalidCases[] = {
    {"id one over capacity", repeat('i', 32) + ",N,READY,2001,0,0,IDLE,Q1"},
    {"name one over capacity", "A1," + repeat('n', 64) + ",READY,2001,0,0,IDLE,Q1"},
    {"mode one over capacity", "A1,N," + repeat('m', 16) + ",2001,0,0,IDLE,Q1"},
    {"extension one over capacity", "A1,N,READY," + repeat('e', 32) + ",0,0,IDLE,Q1"},
    {"state one over capacity", "A1,N,READY,2001,0,0," + repeat('s', 16) + ",Q1"},
    {"empty id", ",N,READY,2001,0,0,IDLE,Q1"},
    {"empty name", "A1,,READY,2001,0,0,IDLE,Q1"},
    {"empty mode", "A1,N,,2001,0,0,IDLE,Q1"},
    {"empty extension", "A1,N,READY,,0,0,IDLE,Q1"},
    {"empty state", "A1,N,READY,2001,0,0,,Q1"},
    {"empty queues", "A1,N,READY,2001,0,0,IDLE,"},
    {"blank queues", "A1,N,READY,2001,0,0,IDLE,  \t"},
    {"letter for the first number", "A1,N,READY,2001,x,0,IDLE,Q1"},
    {"letter after the second number", "A1,N,READY,2001,0,7x,IDLE,Q1"},
    {"empty number", "A1,N,READY,2001,,0,IDLE,Q1"},
    {"sign without digits", "A1,N,READY,2001,-,0,IDLE,Q1"},
    {"empty body", ""},
    {"id only", "A1"},
    {"cut after the numbers", "A1,N,READY,2001,0,0"},
    {"cut after the state", "A1,N,READY,2001,0,0,IDLE"},
};

AgentMessageScan composedScan() {
    AgentMessageScan scan;
    scan.compose();
    return scan;
}

template <typename Case>
std::string caseName(const testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char c : std::string(info.param.what)) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
}

class ValidAgentMessages : public testing::TestWithParam<ValidCase> {};

TEST_P(ValidAgentMessages, FillAllSixTextFields) {
    const ValidCase& c = GetParam();
    AgentMessageFields fields;
    ASSERT_TRUE(composedScan().scan(c.body.c_str(), fields));
    EXPECT_EQ(c.id, fields.agentid.c_str());
    EXPECT_EQ(c.name, fields.agentname.c_str());
    EXPECT_EQ(c.mode, fields.mode.c_str());
    EXPECT_EQ(c.extension, fields.extension.c_str());
    EXPECT_EQ(c.dnstate, fields.dnstate.c_str());
    EXPECT_EQ(c.queues, fields.queues.c_str());
}

INSTANTIATE_TEST_SUITE_P(Bodies, ValidAgentMessages, testing::ValuesIn(kValidCases),
                         caseName<ValidCase>);

class InvalidAgentMessages : public testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidAgentMessages, AreRejected) {
    AgentMessageFields fields;
    EXPECT_FALSE(composedScan().scan(GetParam().body.c_str(), fields));
}

INSTANTIATE_TEST_SUITE_P(Bodies, InvalidAgentMessages, testing::ValuesIn(kInvalidCases),
                         caseName<InvalidCase>);

}  // namespace
