// The version check without windows.
#include <chrono>
#include <iostream>

#include <nlohmann/json.hpp>

#include "app/cli/cli.h"
#include "shell/product.h"
#include "shell/version_check.h"

namespace zv::cli {
namespace {

int check_version(const Args& a) {
    long long ms = a.number("--timeout-ms", PosixHttpClient::kDefaultTimeout.count());
    if (ms < 1 || ms > 60000) throw UsageError("--timeout-ms must be between 1 and 60000");
    PosixHttpClient http{std::chrono::milliseconds(ms)};
    VersionReply r = query_version(http);
    nlohmann::json j = {{"reply", r.reply}, {"own", r.own}, {"remote", r.remote}, {"newer", r.newer}};
    // The reply is whatever the server sent: bytes that are not UTF-8 are replaced, not fatal.
    std::cout << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    return 0;
}

const bool registered = add_command(
    {"check-version", "[--timeout-ms N]",
     "Ask the maker's server for the latest version and print the answer as JSON.",
     "The server is " + server_base_url() +
         " (set ZEVIROVAVE_SERVER to use another one).\n"
         "Prints reply (the trimmed reply text, empty when the server could not be asked), own, remote\n"
         "(-1 when the reply names no version) and newer. Exits 0 whenever the check ran.\n"
         "--timeout-ms N gives up after N milliseconds (default 4000).",
     {"--timeout-ms"}, {}, 0, 0, check_version});

}  // namespace
}  // namespace zv::cli
