#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "update/echo_client.h"

namespace zv {

// Milliseconds and sleeping, so the attempt loop can run on a scripted clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t now_ms() = 0;
    virtual void sleep_ms(int ms) = 0;
};
Clock& steady_clock_ms();

inline constexpr int kPingReplyWaitMs = 400;
inline constexpr int kPingLimitMs = 5000;

// ping_res values.
inline constexpr int kPingNoEvent = 0;
inline constexpr int kPingAnswered = 1;
inline constexpr int kPingNoAnswer = 2;

struct PingOutcome {
    bool answered = false;
    int attempts = 0;     // requests actually sent
    std::int64_t ms = 0;  // whole check, on the clock given
    std::string error;    // why the check ended early, if it did
};

// The reachability check: echo requests to `address` until two answers or
// 5000 ms. `ping_res` is the caller's field: set to 0 at the start, then by each
// reply (1 with bytes, 2 without); an exception ends the check with false and
// leaves it as it was. `process_messages` runs in the short waits after a send.
PingOutcome Send_Ping(const std::string& address, int& ping_res, EchoClient& client, Clock& clock = steady_clock_ms(),
                      const std::function<void()>& process_messages = {});

// The echo client's reply event.
void PingReply(int& ping_res, const EchoReply& reply);

}  // namespace zv
