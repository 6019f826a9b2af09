// Real echo requests: only to 127.0.0.0/8, here or in a network namespace that
// the test makes for itself.
#include <gtest/gtest.h>

#include <sstream>

#include <arpa/inet.h>

#include "common/netns.h"

#include "text/error.h"
#include "update/echo_client.h"
#include "update/send_ping.h"

using Mode = zv::IcmpEchoClient::Mode;
using zvtest::in_new_namespace;

namespace {

std::string ping_summary(const std::string& address, zv::EchoClient& client) {
    int ping_res = -1;
    zv::PingOutcome o = zv::Send_Ping(address, ping_res, client);
    std::ostringstream s;
    s << "answered=" << o.answered << " ping_res=" << ping_res << " attempts=" << o.attempts << " ms=" << o.ms;
    return s.str();
}

long field(const std::string& summary, const std::string& name) {
    auto at = summary.find(name + "=");
    if (at == std::string::npos) return -1;
    return std::stol(summary.substr(at + name.size() + 1));
}

}  // namespace

TEST(EchoClient, AddressMustBeFourDecimalGroups) {
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"127.0.0.1", true}, {"0.0.0.0", true},   {"255.255.255.255", true}, {"010.001.2.3", true},
        {"", false},         {"1.2..4", false},   {"1.2.3.256", false},      {"1.2.3", false},
        {"1.2.3.4.5", false}, {" 1.2.3.4", false}, {"1.2.3.4 ", false},      {"localhost", false},
        {"1.2.3.0004", false}, {"1.2.3.-1", false}, {"1.2.3.4x", false},
    };
    for (const Case& c : cases) EXPECT_EQ(zv::parse_ipv4(c.text).has_value(), c.ok) << c.text;
    EXPECT_EQ(zv::parse_ipv4("127.0.0.1"), htonl(0x7F000001u));

    zv::IcmpEchoClient client;
    EXPECT_THROW(client.set_host("1.2..4"), zv::Error);
    EXPECT_THROW(client.send("x", 400), zv::Error);  // no host: nothing is sent
    EXPECT_FALSE(client.opened_mode());
}

TEST(EchoClient, LoopbackAnswersWithEachSocketKind) {
    int tried = 0;
    for (Mode mode : {Mode::Datagram, Mode::Raw}) {
        zv::IcmpEchoClient client(mode);
        client.set_host("127.0.0.1");
        zv::EchoReply r;
        try {
            r = client.send("127.0.0.1", 400);
        } catch (const zv::Error& e) {
            std::cerr << "[ info ] socket kind not available here: " << e.what() << "\n";
            continue;
        }
        ++tried;
        // The reply echoes the 1024 bytes; a raw socket also hands over the IP header.
        EXPECT_EQ(r.bytes_received, mode == Mode::Raw ? 1044u : 1024u);
        EXPECT_EQ(client.opened_mode(), mode);

        int ping_res = 0;
        zv::PingOutcome o = zv::Send_Ping("127.0.0.2", ping_res, client);
        EXPECT_TRUE(o.answered);
        EXPECT_EQ(ping_res, 1);
        EXPECT_EQ(o.attempts, 2);
    }
    if (tried == 0) GTEST_SKIP() << "neither an ICMP datagram nor a raw socket can be opened here";
}

TEST(EchoClient, DatagramSocketWhereTheGroupIsAllowed) {
    std::string why;
    auto out = in_new_namespace({true, false, "0 2147483647"}, [] {
        zv::IcmpEchoClient client;
        std::string s = ping_summary("127.0.0.1", client);
        return s + (client.opened_mode() == Mode::Datagram ? " datagram" : " other");
    }, why);
    if (!out) GTEST_SKIP() << why;
    EXPECT_EQ(field(*out, "answered"), 1) << *out;
    EXPECT_EQ(field(*out, "attempts"), 2) << *out;
    EXPECT_NE(out->find(" datagram"), std::string::npos) << *out;
}

TEST(EchoClient, HostThatNeverAnswersTakesFiveSeconds) {
    std::string why;
    // Raw socket: on loopback it also sees its own requests, which must not count.
    auto out = in_new_namespace({true, true, "1 0"}, [] {
        zv::IcmpEchoClient client;
        return ping_summary("127.0.0.1", client);
    }, why);
    if (!out) GTEST_SKIP() << why;
    EXPECT_EQ(field(*out, "answered"), 0) << *out;
    EXPECT_EQ(field(*out, "ping_res"), 2) << *out;
    EXPECT_GE(field(*out, "attempts"), 12) << *out;
    EXPECT_LE(field(*out, "attempts"), 13) << *out;
    EXPECT_GT(field(*out, "ms"), 5000) << *out;
}

TEST(EchoClient, CheckCannotRunWithoutASocketOrARoute) {
    std::string why;
    // Only the unprivileged kind, and the namespace admits no group to it.
    auto no_socket = in_new_namespace({true, false, "1 0"}, [] {
        zv::IcmpEchoClient client(Mode::Datagram);
        return ping_summary("127.0.0.1", client);
    }, why);
    if (!no_socket) GTEST_SKIP() << why;
    EXPECT_EQ(field(*no_socket, "answered"), 0) << *no_socket;
    EXPECT_EQ(field(*no_socket, "ping_res"), 0) << *no_socket;
    EXPECT_EQ(field(*no_socket, "attempts"), 0) << *no_socket;

    // Loopback down: the request cannot be sent.
    auto no_route = in_new_namespace({false, false, "0 2147483647"}, [] {
        zv::IcmpEchoClient client;
        return ping_summary("127.0.0.1", client);
    }, why);
    ASSERT_TRUE(no_route) << why;
    EXPECT_EQ(field(*no_route, "ping_res"), 0) << *no_route;
    EXPECT_EQ(field(*no_route, "attempts"), 0) << *no_route;
}
