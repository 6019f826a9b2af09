#include "update/echo_client.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "text/error.h"

namespace zv {
namespace {

constexpr std::uint8_t kEchoRequest = 8;
constexpr std::uint8_t kEchoReply = 0;

std::uint16_t checksum(const std::uint8_t* p, std::size_t n) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < n; i += 2) sum += static_cast<std::uint32_t>(p[i] << 8 | p[i + 1]);
    if (n % 2) sum += static_cast<std::uint32_t>(p[n - 1] << 8);
    while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

std::string errno_text(int e) { return std::strerror(e); }

}  // namespace

std::optional<std::uint32_t> parse_ipv4(const std::string& text) {
    std::uint32_t host = 0;
    std::size_t i = 0;
    for (int group = 0; group < 4; ++group) {
        if (group > 0) {
            if (i >= text.size() || text[i] != '.') return std::nullopt;
            ++i;
        }
        std::size_t digits = 0;
        unsigned value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4) {
            value = value * 10 + static_cast<unsigned>(text[i] - '0');
            ++i, ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255) return std::nullopt;
        host = host << 8 | value;
    }
    if (i != text.size()) return std::nullopt;
    return htonl(host);
}

IcmpEchoClient::IcmpEchoClient(Mode mode) : mode_(mode) {}

IcmpEchoClient::~IcmpEchoClient() {
    if (fd_ >= 0) close(fd_);
}

std::optional<IcmpEchoClient::Mode> IcmpEchoClient::opened_mode() const {
    if (fd_ < 0) return std::nullopt;
    return raw_ ? Mode::Raw : Mode::Datagram;
}

void IcmpEchoClient::set_host(const std::string& host) {
    auto a = parse_ipv4(host);
    if (!a) {
        have_host_ = false;
        throw Error("Not an IPv4 address: \"" + host + "\"");
    }
    addr_ = *a;
    have_host_ = true;
}

void IcmpEchoClient::open_socket() {
    if (fd_ >= 0) return;
    std::string reasons;
    if (mode_ != Mode::Raw) {
        // Allowed without privileges where net.ipv4.ping_group_range admits our group.
        fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (fd_ >= 0) {
            raw_ = false;
            return;
        }
        reasons = "ICMP datagram socket: " + errno_text(errno);
    }
    if (mode_ != Mode::Datagram) {
        fd_ = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (fd_ >= 0) {
            raw_ = true;
            id_ = static_cast<std::uint16_t>(getpid() ^ reinterpret_cast<std::uintptr_t>(this));
            return;
        }
        reasons += (reasons.empty() ? "" : "; ") + std::string("raw ICMP socket: ") + errno_text(errno);
    }
    throw Error("Cannot send echo requests (" + reasons + ")");
}

EchoReply IcmpEchoClient::send(const std::string& data, int reply_wait_ms) {
    if (!have_host_) throw Error("No host set for the echo request");
    open_socket();

    const std::uint16_t seq = seq_++;
    std::vector<std::uint8_t> pkt(kPacketSize, 0);
    pkt[0] = kEchoRequest;
    pkt[4] = static_cast<std::uint8_t>(id_ >> 8);
    pkt[5] = static_cast<std::uint8_t>(id_);
    pkt[6] = static_cast<std::uint8_t>(seq >> 8);
    pkt[7] = static_cast<std::uint8_t>(seq);
    std::memcpy(pkt.data() + 8, data.data(), std::min(data.size(), kPacketSize - 8));
    const std::uint16_t sum = checksum(pkt.data(), pkt.size());  // the datagram socket redoes it
    pkt[2] = static_cast<std::uint8_t>(sum >> 8);
    pkt[3] = static_cast<std::uint8_t>(sum);

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = addr_;
    ssize_t sent;
    do sent = sendto(fd_, pkt.data(), pkt.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    while (sent < 0 && errno == EINTR);
    if (sent < 0) throw Error("Echo request not sent: " + errno_text(errno));

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(reply_wait_ms);
    std::vector<std::uint8_t> buf(kPacketSize + 128);
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return {};
        pollfd pfd{fd_, POLLIN, 0};
        int r = poll(&pfd, 1, static_cast<int>(left));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return {};
        sockaddr_in from{};
        socklen_t flen = sizeof from;
        ssize_t n = recvfrom(fd_, buf.data(), buf.size(), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &flen);
        if (n < 0) continue;  // an ICMP error for our request, or nothing after all: keep waiting
        if (from.sin_addr.s_addr != addr_) continue;
        std::size_t off = 0;
        if (raw_) {
            // Raw sockets deliver the IP header too, and every ICMP message of the host.
            if (n < 20) continue;
            off = static_cast<std::size_t>(buf[0] & 0x0F) * 4;
        }
        if (static_cast<std::size_t>(n) < off + 8) continue;
        const std::uint8_t* icmp = buf.data() + off;
        if (icmp[0] != kEchoReply) continue;
        const std::uint16_t rseq = static_cast<std::uint16_t>(icmp[6] << 8 | icmp[7]);
        const std::uint16_t rid = static_cast<std::uint16_t>(icmp[4] << 8 | icmp[5]);
        if (rseq != seq) continue;                // a late reply to an earlier request
        if (raw_ && rid != id_) continue;         // someone else's ping
        return {static_cast<std::size_t>(n)};
    }
}

}  // namespace zv
