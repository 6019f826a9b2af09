#include "shell/product.h"

#include <cstdlib>

namespace zv {

std::string server_base_url() {
    const char* env = std::getenv("ZEVIROVAVE_SERVER");
    std::string base = env && *env ? env : "http://www.velmor.example";
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base;
}

std::string maker_web_address() {
    std::string base = server_base_url();
    auto p = base.find("://");
    return p == std::string::npos ? base : base.substr(p + 3);
}

std::string home_page_url() { return server_base_url() + "/HOME/default.asp?frompg=" + SW_Code; }
std::string download_page_url() { return server_base_url() + "/Home/download/download.asp#HD48T15"; }
std::string version_query_url() {
    return server_base_url() + "/home/download/GetversionSW.asp?nomesw=" + SW_Code;
}

}  // namespace zv
