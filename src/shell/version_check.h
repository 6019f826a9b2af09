#pragma once
#include <string>
#include <string_view>

#include "shell/http_client.h"

namespace zv {

// "VER. 1.007" -> 1007: the 1st, 3rd, 4th and 5th characters of the part after
// the first blank, read as one decimal number; -1 when that is not possible.
int Conv_Version(std::string_view s);

// What one query of the maker's version service gave.
struct VersionReply {
    std::string reply;  // the reply body, trimmed; empty for every failure
    int own = 0;        // Conv_Version of our version
    int remote = -1;    // Conv_Version of the reply; -1 when it carries no version
    bool newer = false;
};

// Asks the version service at `url` (version_query_url() by default).
VersionReply query_version(HttpClient& http, const std::string& url);
VersionReply query_version(HttpClient& http);

// True when the maker's server reports a newer version than ours.
bool Check_Version(HttpClient& http);

}  // namespace zv
