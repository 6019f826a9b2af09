#include "shell/version_check.h"

#include "shell/product.h"
#include "text/text_util.h"

namespace zv {

int Conv_Version(std::string_view s) {
    if (size_t blank = s.find(' '); blank != std::string_view::npos) s = s.substr(blank + 1);
    s = trim(s);
    if (s.size() < 5) return -1;
    const char digits[] = {s[0], s[2], s[3], s[4]};
    auto v = parse_decimal(std::string_view(digits, 4));
    return v ? static_cast<int>(*v) : -1;
}

VersionReply query_version(HttpClient& http, const std::string& url) {
    VersionReply r;
    r.own = Conv_Version(kOwnVersion);
    r.reply = trim_copy(http.get(url).value_or(""));
    const std::string upper = to_upper_ascii(r.reply);
    if (upper.empty() || upper == "VER. 0.000") return r;  // the server knows of no version
    r.remote = Conv_Version(r.reply);
    r.newer = r.own != -1 && r.remote != -1 && r.own < r.remote;
    return r;
}

VersionReply query_version(HttpClient& http) { return query_version(http, version_query_url()); }

bool Check_Version(HttpClient& http) { return query_version(http).newer; }

}  // namespace zv
