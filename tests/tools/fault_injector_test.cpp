#include "tavrel-sim/fault_injector.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "loopback_client.h"
#include "tavrel-sim/agent_body.h"

namespace {

const std::string kBody = "1008,4711,Maria Keller,ACD,2001,3,45,ACDCALL,Q100|Q200";

FaultRule ruleOf(const std::string& text) {
    FaultRule rule;
    std::string error;
    EXPECT_TRUE(parseFaultRule(text, rule, error)) << text << ": " << error;
    return rule;
}

struct Shaped {
    std::unique_ptr<Transmission> transmission = std::make_unique<Transmission>();

    std::string bytes() const {
        return std::string(reinterpret_cast<const char*>(transmission->bytes), transmission->size);
    }
    // The bytes as the pieces lay them out, one after another.
    std::string joinedPieces() const {
        std::string joined;
        for (std::size_t i = 0; i < transmission->pieceCount; ++i) {
            const TransmissionPiece& piece = transmission->pieces[i];
            joined.append(reinterpret_cast<const char*>(transmission->bytes) + piece.offset,
                          piece.size);
        }
        return joined;
    }
    int headerCheck(std::size_t at = 0) const {
        unsigned char header[kFrameHeaderSize];
        std::memcpy(header, transmission->bytes + at, kFrameHeaderSize);
        std::size_t length = 0;
        return checkFrameHeader(header, length);
    }
};

Shaped shapeOnce(const std::vector<FaultRule>& rules, const std::string& body = kBody) {
    FaultInjector injector(rules, 1);
    Shaped shaped;
    EXPECT_TRUE(injector.shape(body.data(), body.size(), *shaped.transmission));
    return shaped;
}

}  // namespace

TEST(FaultInjector, WithoutFaultsSendsTheFrameInOnePiece) {
    Shaped shaped = shapeOnce({});
    EXPECT_EQ(shaped.bytes(), frameOf(kBody));
    EXPECT_EQ(shaped.transmission->pieceCount, 1u);
    EXPECT_EQ(shaped.joinedPieces(), frameOf(kBody));
    EXPECT_TRUE(shaped.transmission->bodyIntact);
    EXPECT_FALSE(shaped.transmission->closeInstead);
    EXPECT_EQ(shaped.transmission->silenceSecondsBefore, 0);
}

TEST(FaultInjector, DamagedHeadersAreRefusedByTheFrameCheck) {
    struct Case {
        const char* rule;
        int refusal;
    };
    for (const Case& c : {Case{"bad-marker,p=1", 18}, Case{"bad-length,p=1", 17},
                          Case{"bad-length=00x9,p=1", 17}, Case{"bad-length=0003,p=1", 17}}) {
        SCOPED_TRACE(c.rule);
        Shaped shaped = shapeOnce({ruleOf(c.rule)});
        EXPECT_EQ(shaped.headerCheck(), c.refusal);
        EXPECT_FALSE(shaped.transmission->bodyIntact);
        // The body itself still follows the damaged header.
        EXPECT_EQ(shaped.bytes().substr(kFrameHeaderSize), kBody);
    }
}

TEST(FaultInjector, ALengthFieldThatHappensToBeRightKeepsTheBodyIntact) {
    std::string length = std::to_string(kBody.size() + kFrameHeaderSize);
    Shaped shaped = shapeOnce({ruleOf("bad-length=00" + length + ",p=1")});
    EXPECT_TRUE(shaped.transmission->bodyIntact);
}

TEST(FaultInjector, GarbageAndOversizedFramesComeBeforeAnIntactFrame) {
    Shaped garbage = shapeOnce({ruleOf("garbage=40,p=1")});
    EXPECT_EQ(garbage.bytes().size(), 40 + frameOf(kBody).size());
    EXPECT_EQ(garbage.bytes().substr(40), frameOf(kBody));
    EXPECT_TRUE(garbage.transmission->bodyIntact);

    for (int length : {9999, 4102}) {
        SCOPED_TRACE(length);
        Shaped oversized = shapeOnce({ruleOf("oversized=" + std::to_string(length) + ",p=1")});
        std::vector<std::string> bodies;
        ASSERT_TRUE(splitFrames(oversized.bytes(), bodies));
        ASSERT_EQ(bodies.size(), 2u);
        EXPECT_EQ(bodies[0].size(), static_cast<std::size_t>(length) - kFrameHeaderSize);
        EXPECT_GT(bodies[0].size(), kMaxBodyLength);
        EXPECT_EQ(bodies[0].rfind("1005", 0), 0u);
        EXPECT_EQ(bodies[1], kBody);
        EXPECT_TRUE(oversized.transmission->bodyIntact);
    }
}

// The refused agent body and the unknown code follow the intact message; a message that is
// no agent message gets no refused copy.
TEST(FaultInjector, RefusedAndUnknownFramesFollowTheMessage) {
    std::vector<FaultRule> rules = {ruleOf("bad-agent,p=1"), ruleOf("unexpected,p=1")};
    Shaped shaped = shapeOnce(rules);
    std::vector<std::string> bodies;
    ASSERT_TRUE(splitFrames(shaped.bytes(), bodies));
    EXPECT_EQ(bodies,
              (std::vector<std::string>{kBody, "1008,4711,Maria Keller,ACD,2001,3,45,ACDCALL",
                                        "1009,unexpected message"}));
    char id[kAgentIdCapacity + 1];
    EXPECT_FALSE(readAgentMessageId(bodies[1].c_str(), id));
    EXPECT_TRUE(shaped.transmission->bodyIntact);

    for (const std::string& other : {std::string("1005,1"), std::string("1008,4711,Maria")}) {
        SCOPED_TRACE(other);
        Shaped shapedOther = shapeOnce(rules, other);
        std::vector<std::string> sent;
        ASSERT_TRUE(splitFrames(shapedOther.bytes(), sent));
        EXPECT_EQ(sent, (std::vector<std::string>{other, "1009,unexpected message"}));
    }
}

// Several garbage and oversized faults on one message fill the buffer as far as there is
// room and still leave the message's frame intact at the end.
TEST(FaultInjector, StackedFaultsStayWithinTheBuffer) {
    std::vector<FaultRule> rules;
    for (const char* rule : {"garbage=4096,p=1", "oversized,p=1", "oversized,p=1", "oversized,p=1",
                             "garbage=4096,p=1", "split,p=1"}) {
        rules.push_back(ruleOf(rule));
    }
    Shaped shaped = shapeOnce(rules);
    std::string bytes = shaped.bytes();
    ASSERT_GE(bytes.size(), frameOf(kBody).size());
    EXPECT_EQ(bytes.substr(bytes.size() - frameOf(kBody).size()), frameOf(kBody));
    EXPECT_EQ(shaped.joinedPieces(), bytes);
    EXPECT_TRUE(shaped.transmission->bodyIntact);
}

TEST(FaultInjector, SilenceWaitsAndCloseSendsNothing) {
    Shaped silence = shapeOnce({ruleOf("silence=3,p=1")});
    EXPECT_EQ(silence.transmission->silenceSecondsBefore, 3);
    EXPECT_EQ(silence.bytes(), frameOf(kBody));

    Shaped closing = shapeOnce({ruleOf("close,p=1")});
    EXPECT_TRUE(closing.transmission->closeInstead);
    EXPECT_EQ(closing.transmission->size, 0u);
}

// Split pieces cover the frame without gap or overlap, so a reader that joins them gets
// the body back; cuts fall inside the header too, and pauses stay within the limit.
TEST(FaultInjector, SplitPiecesRejoinToTheSameFrame) {
    FaultInjector injector({ruleOf("split=15,p=1"), ruleOf("garbage=5,p=0.3")}, 7);
    Shaped shaped;
    int headerCuts = 0;
    for (int i = 0; i < 300; ++i) {
        std::string body = kBody + std::to_string(i);
        ASSERT_TRUE(injector.shape(body.data(), body.size(), *shaped.transmission));
        const Transmission& t = *shaped.transmission;
        ASSERT_GE(t.pieceCount, 2u);
        ASSERT_LE(t.pieceCount, kMostPieces);
        EXPECT_EQ(shaped.joinedPieces(), shaped.bytes());
        EXPECT_EQ(shaped.bytes().substr(shaped.bytes().size() - frameOf(body).size()),
                  frameOf(body));
        std::size_t frameStart = t.size - frameOf(body).size();
        for (std::size_t p = 0; p < t.pieceCount; ++p) {
            EXPECT_GT(t.pieces[p].size, 0u);
            EXPECT_GE(t.pieces[p].pauseMsAfter, 0);
            EXPECT_LE(t.pieces[p].pauseMsAfter, 15);
            std::size_t cut = t.pieces[p].offset;
            if (cut > frameStart && cut < frameStart + kFrameHeaderSize) ++headerCuts;
        }
        EXPECT_EQ(t.pieces[t.pieceCount - 1].pauseMsAfter, 0);
    }
    EXPECT_GT(headerCuts, 30);
}

// "after=N" hits the message after the first N, once per connection; probabilities 0 and 1
// mean never and always.
TEST(FaultInjector, TriggersFireAtTheirMessage) {
    FaultInjector injector(
        {ruleOf("close,after=3"), ruleOf("silence=2,p=1"), ruleOf("bad-marker,p=0")}, 1);
    Shaped shaped;
    for (int connection = 0; connection < 2; ++connection) {
        injector.restart();
        std::vector<int> closedAt;
        for (int i = 0; i < 8; ++i) {
            ASSERT_TRUE(injector.shape(kBody.data(), kBody.size(), *shaped.transmission));
            if (shaped.transmission->closeInstead) closedAt.push_back(i);
            EXPECT_EQ(shaped.transmission->silenceSecondsBefore, 2);
            if (!shaped.transmission->closeInstead) {
                EXPECT_EQ(shaped.headerCheck(), 0);
            }
        }
        EXPECT_EQ(closedAt, std::vector<int>{3});
    }
}

TEST(FaultInjector, SameVariantDamagesTheSameWay) {
    auto run = [](uint64_t variant) {
        FaultInjector injector({ruleOf("split,p=0.5"), ruleOf("garbage=8,p=0.2")}, variant);
        Shaped shaped;
        std::string all;
        for (int i = 0; i < 50; ++i) {
            EXPECT_TRUE(injector.shape(kBody.data(), kBody.size(), *shaped.transmission));
            all += shaped.bytes() + std::to_string(shaped.transmission->pieceCount);
        }
        return all;
    };
    EXPECT_EQ(run(3), run(3));
    EXPECT_NE(run(3), run(4));
}

TEST(FaultInjector, RefusesABodyNoFrameCanCarry) {
    FaultInjector injector({}, 1);
    Shaped shaped;
    EXPECT_FALSE(injector.shape("", 0, *shaped.transmission));
}
