// Whatever a server sends back must never crash the version check.
#include <cstdint>
#include <string>

#include "shell/http_client.h"
#include "shell/version_check.h"

namespace {

struct Replay : zv::HttpClient {
    std::string raw;
    std::optional<std::string> get(const std::string&) override { return zv::parse_http_response(raw); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Replay http;
    http.raw.assign(reinterpret_cast<const char*>(data), size);
    zv::VersionReply r = zv::query_version(http, "http://127.0.0.1/");
    if (r.newer && r.remote <= r.own) __builtin_trap();
    (void)zv::Conv_Version(http.raw);
    // The same bytes as an address (ZEVIROVAVE_SERVER is typed by people).
    if (auto u = zv::parse_http_url(http.raw)) {
        if (u->host.empty() || u->target.empty() || u->target[0] != '/' || u->port < 1 || u->port > 65535)
            __builtin_trap();
    }
    return 0;
}
