#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zv {

// One echo request's outcome: how many bytes came back (0 when the reply wait ran out).
struct EchoReply {
    std::size_t bytes_received = 0;
};

// An ICMP echo client for IPv4. set_host and send throw zv::Error when the
// host cannot be used or the request cannot be sent.
class EchoClient {
public:
    virtual ~EchoClient() = default;
    virtual void set_host(const std::string& host) = 0;
    // Sends one request carrying `data` and waits up to reply_wait_ms for its
    // reply. The sequence number counts up by itself.
    virtual EchoReply send(const std::string& data, int reply_wait_ms) = 0;
};

// A dotted IPv4 address of four decimal groups 0..255 (in network order), or
// nothing. Names are never looked up: the check must not send anything but echoes.
std::optional<std::uint32_t> parse_ipv4(const std::string& text);

// The real client: an unprivileged ICMP datagram socket where the system allows
// it, else a raw socket. Sockets are opened on the first send.
class IcmpEchoClient : public EchoClient {
public:
    enum class Mode { Auto, Datagram, Raw };
    static constexpr std::size_t kPacketSize = 1024;  // ICMP header and data

    explicit IcmpEchoClient(Mode mode = Mode::Auto);
    ~IcmpEchoClient() override;
    IcmpEchoClient(const IcmpEchoClient&) = delete;
    IcmpEchoClient& operator=(const IcmpEchoClient&) = delete;

    void set_host(const std::string& host) override;
    EchoReply send(const std::string& data, int reply_wait_ms) override;

    // Which socket is in use once opened.
    std::optional<Mode> opened_mode() const;

private:
    void open_socket();
    Mode mode_;
    int fd_ = -1;
    bool raw_ = false;
    std::uint32_t addr_ = 0;  // network order
    bool have_host_ = false;
    std::uint16_t id_ = 0;
    std::uint16_t seq_ = 0;
};

}  // namespace zv
