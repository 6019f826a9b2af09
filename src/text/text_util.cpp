#include "text/text_util.h"

#include <charconv>

namespace zv {

std::string_view trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    return s.substr(b, e - b);
}

std::string trim_copy(std::string_view s) { return std::string(trim(s)); }

std::string to_upper_ascii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

bool iequals_ascii(std::string_view a, std::string_view b) {
    return a.size() == b.size() && to_upper_ascii(a) == to_upper_ascii(b);
}

bool starts_with(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool Is_TRUE(std::string_view s) {
    // Called for every flag attribute of a device description: no allocation.
    std::string_view t = trim(s);
    if (t.size() != 4) return false;
    for (size_t i = 0; i < 4; ++i) {
        char c = t[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != "TRUE"[i]) return false;
    }
    return true;
}

std::optional<long long> parse_decimal(std::string_view s) {
    if (s.empty()) return std::nullopt;
    size_t i = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    if (i == s.size()) return std::nullopt;
    for (size_t k = i; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9') return std::nullopt;
    long long v = 0;
    auto digits = s.substr(i);
    auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (ec != std::errc() || p != digits.data() + digits.size()) return std::nullopt;
    return s[0] == '-' ? -v : v;
}

std::string format_d(std::string_view templ, long long value) {
    std::string out;
    size_t pos = templ.find("%d");
    if (pos == std::string_view::npos) return std::string(templ);
    out.append(templ.substr(0, pos));
    out.append(std::to_string(value));
    out.append(templ.substr(pos + 2));
    return out;
}

bool Check_IP_Address(std::string_view text, std::array<std::string, 4>& parts) {
    std::string_view t = trim(text);
    std::array<std::string, 4> p;
    for (int i = 0; i < 3; ++i) {
        size_t dot = t.find('.');
        if (dot == std::string_view::npos) return false;
        p[static_cast<size_t>(i)] = trim_copy(t.substr(0, dot));
        t = trim(t.substr(dot + 1));
    }
    p[3] = trim_copy(t);
    bool ok = true;
    for (const auto& part : p) {
        long long v = parse_decimal(part).value_or(1000);
        if (v < 0 || v > 255) ok = false;
    }
    parts = p;
    return ok;
}

bool Check_IP_Address(std::string_view text) {
    std::array<std::string, 4> parts;
    return Check_IP_Address(text, parts);
}

bool IP_Address_To_Bytes(std::string_view text, std::array<uint8_t, 4>& bytes) {
    if (text.empty()) return true;
    bool error = false;
    std::string_view rest = text;
    for (size_t i = 0; i < 4; ++i) {
        size_t dot = rest.find('.');
        std::string_view part = i == 3 ? rest : (dot == std::string_view::npos ? std::string_view() : rest.substr(0, dot));
        long long v = parse_decimal(part).value_or(-1);
        if (v >= 0 && v <= 255) {
            bytes[i] = static_cast<uint8_t>(v);
        } else {
            bytes[i] = 0;
            error = true;
        }
        if (dot != std::string_view::npos) rest = rest.substr(dot + 1);
    }
    return error;
}


}  // namespace zv
