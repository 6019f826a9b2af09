#pragma once
// Runs test code inside a network namespace that the test makes for itself, so
// echo requests there reach nothing but that namespace's own loopback.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zvtest {

struct NamespaceSetup {
    bool lo_up = true;
    bool ignore_echo = false;           // net.ipv4.icmp_echo_ignore_all = 1
    const char* ping_groups = nullptr;  // net.ipv4.ping_group_range
};

namespace netns_detail {
inline bool write_proc(const char* file, const char* text) {
    std::ofstream f(file);
    f << text;
    f.flush();
    return static_cast<bool>(f);
}
inline bool loopback_up() {
    int s = socket(AF_INET, SOCK_DGRAM, 0);
    if (s < 0) return false;
    ifreq ifr{};
    std::strcpy(ifr.ifr_name, "lo");
    bool ok = ioctl(s, SIOCGIFFLAGS, &ifr) == 0;
    ifr.ifr_flags |= IFF_UP;
    ok = ok && ioctl(s, SIOCSIFFLAGS, &ifr) == 0;
    close(s);
    return ok;
}
}  // namespace netns_detail

// Runs `body` in a child process inside a new network namespace and returns what
// it returned; nothing, with `why` set, when no such namespace can be made here.
inline std::optional<std::string> in_new_namespace(const NamespaceSetup& setup,
                                                   const std::function<std::string()>& body, std::string& why) {
    using namespace netns_detail;
    int fds[2];
    if (pipe(fds) != 0) {
        why = "no pipe";
        return std::nullopt;
    }
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        std::string out;
        if (unshare(CLONE_NEWNET) != 0)
            out = std::string("SKIP unshare(CLONE_NEWNET): ") + std::strerror(errno);
        else if (setup.lo_up && !loopback_up())
            out = "SKIP cannot bring lo up in the namespace";
        else if (setup.ignore_echo && !write_proc("/proc/sys/net/ipv4/icmp_echo_ignore_all", "1"))
            out = "SKIP cannot set net.ipv4.icmp_echo_ignore_all in the namespace";
        else if (setup.ping_groups && !write_proc("/proc/sys/net/ipv4/ping_group_range", setup.ping_groups))
            out = "SKIP cannot set net.ipv4.ping_group_range in the namespace";
        else
            out = body();
        for (size_t done = 0; done < out.size();) {
            ssize_t n = write(fds[1], out.data() + done, out.size() - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        _exit(0);
    }
    close(fds[1]);
    std::string out;
    char buf[512];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (out.rfind("SKIP ", 0) == 0) {
        why = out.substr(5);
        return std::nullopt;
    }
    return out;
}

}  // namespace zvtest
