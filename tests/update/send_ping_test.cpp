#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>

#include "update/send_ping.h"

namespace {

// A clock that moves only when the fake device takes time.
struct FakeClock : zv::Clock {
    std::int64_t t = 100000;
    int sleeps = 0;
    std::int64_t now_ms() override { return t; }
    void sleep_ms(int ms) override { t += ms, ++sleeps; }
};

// Answers as scripted: 'y' replies at once, 'n' lets the 400 ms wait run out,
// 'x' throws as an unsendable request does; past the end, no answers.
struct ScriptedDevice : zv::EchoClient {
    FakeClock& clock;
    std::string script;
    std::string host;
    std::vector<std::string> sent;
    bool refuse_host = false;
    ScriptedDevice(FakeClock& c, std::string s) : clock(c), script(std::move(s)) {}

    void set_host(const std::string& h) override {
        if (refuse_host) throw std::runtime_error("cannot resolve");
        host = h;
    }
    zv::EchoReply send(const std::string& data, int wait_ms) override {
        EXPECT_EQ(wait_ms, 400);
        char c = sent.size() < script.size() ? script[sent.size()] : 'n';
        if (c == 'x') throw std::runtime_error("network is unreachable");
        sent.push_back(data);
        if (c == 'y') {
            clock.t += 1;
            return {1052};
        }
        clock.t += wait_ms;
        return {0};
    }
};

}  // namespace

TEST(SendPing, OutcomeTable) {
    struct Case {
        const char* name;
        std::string script;
        bool answered;
        int ping_res;
        int attempts;
    };
    const Case cases[] = {
        {"always", "yyyy", true, 1, 2},
        // 400 ms per silent attempt: after the 13th, more than 5000 ms have passed.
        {"never", "", false, 2, 13},
        {"first only", "y", false, 2, 14},  // 1 ms, then 13 silent ones
        {"first and third", "yny", true, 1, 3},
        {"second and fourth", "nyny", true, 1, 4},
        {"exception at once", "x", false, 0, 0},
        {"exception after an answer", "yx", false, 1, 1},
        {"exception after a silent one", "nx", false, 2, 1},
    };
    for (const Case& c : cases) {
        FakeClock clock;
        ScriptedDevice dev(clock, c.script);
        int ping_res = 77;
        zv::PingOutcome o = zv::Send_Ping("10.1.2.3", ping_res, dev, clock);
        EXPECT_EQ(o.answered, c.answered) << c.name;
        EXPECT_EQ(ping_res, c.ping_res) << c.name;
        EXPECT_EQ(o.attempts, c.attempts) << c.name;
        EXPECT_EQ(o.error.empty(), c.script.find('x') == std::string::npos) << c.name;
        EXPECT_EQ(dev.host, "10.1.2.3") << c.name;
        for (const auto& d : dev.sent) EXPECT_EQ(d, "10.1.2.3") << c.name;
    }
}

TEST(SendPing, SilentDeviceEndsJustPastTheLimit) {
    FakeClock clock;
    ScriptedDevice dev(clock, "");
    int ping_res = 0;
    zv::PingOutcome o = zv::Send_Ping("10.1.2.3", ping_res, dev, clock);
    EXPECT_GT(o.ms, 5000);
    EXPECT_LE(o.ms, 5000 + 400);
}

TEST(SendPing, UnusableHostLeavesNoReplyEvent) {
    FakeClock clock;
    ScriptedDevice dev(clock, "yy");
    dev.refuse_host = true;
    int ping_res = 1;
    zv::PingOutcome o = zv::Send_Ping("1.2..4", ping_res, dev, clock);
    EXPECT_FALSE(o.answered);
    EXPECT_EQ(ping_res, 0);
    EXPECT_TRUE(dev.sent.empty());
    EXPECT_NE(o.error.find("cannot resolve"), std::string::npos);
}
