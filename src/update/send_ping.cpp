#include "update/send_ping.h"

#include <chrono>
#include <exception>
#include <iostream>
#include <thread>

namespace zv {
namespace {

class SteadyClock : public Clock {
public:
    std::int64_t now_ms() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void sleep_ms(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace

Clock& steady_clock_ms() {
    static SteadyClock c;
    return c;
}

void PingReply(int& ping_res, const EchoReply& reply) {
    ping_res = reply.bytes_received > 0 ? kPingAnswered : kPingNoAnswer;
}

PingOutcome Send_Ping(const std::string& address, int& ping_res, EchoClient& client, Clock& clock,
                      const std::function<void()>& process_messages) {
    PingOutcome out;
    ping_res = kPingNoEvent;
    const std::int64_t t0 = clock.now_ms();
    try {
        client.set_host(address);
        int answers = 0;
        for (;;) {
            const std::int64_t t1 = clock.now_ms();
            EchoReply reply = client.send(address, kPingReplyWaitMs);
            ++out.attempts;
            PingReply(ping_res, reply);
            while (ping_res == kPingNoEvent && clock.now_ms() - t1 <= kPingReplyWaitMs) {
                clock.sleep_ms(10);
                if (process_messages) process_messages();
            }
            if (ping_res == kPingAnswered) ++answers;
            if (answers >= 2) break;
            if (clock.now_ms() - t0 > kPingLimitMs) break;
        }
        out.answered = ping_res == kPingAnswered;
    } catch (const std::exception& e) {
        out.answered = false;
        out.error = e.what();
        std::cerr << "Reachability check of " << address << " failed: " << e.what() << "\n";
    } catch (...) {
        out.answered = false;
        out.error = "unknown failure";
        std::cerr << "Reachability check of " << address << " failed\n";
    }
    out.ms = clock.now_ms() - t0;
    return out;
}

}  // namespace zv
