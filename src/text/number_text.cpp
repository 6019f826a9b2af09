#include "text/number_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace zv {

std::optional<IntText> scan_int(std::string_view s, int max_hex_digits) {
    size_t i = 0;
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= 32) ++i;
    IntText r;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) r.negative = s[i++] == '-';
    if (i < s.size() && s[i] == '$') {
        r.hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && s[i + 1] == 'x') {
        r.hex = true;
        i += 2;
    }
    if (i == s.size()) return std::nullopt;
    int digits = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        unsigned d;
        if (c >= '0' && c <= '9')
            d = static_cast<unsigned>(c - '0');
        else if (r.hex && c >= 'a' && c <= 'f')
            d = static_cast<unsigned>(c - 'a' + 10);
        else if (r.hex && c >= 'A' && c <= 'F')
            d = static_cast<unsigned>(c - 'A' + 10);
        else
            return std::nullopt;
        if (r.hex) {
            if (r.magnitude == 0 && d == 0) continue;  // leading zeros do not count
            if (++digits > max_hex_digits) return std::nullopt;
            r.magnitude = r.magnitude * 16 + d;
        } else {
            if (r.magnitude > (std::numeric_limits<uint64_t>::max() - d) / 10) return std::nullopt;
            r.magnitude = r.magnitude * 10 + d;
        }
    }
    return r;
}

namespace {

// A signed value of `bits` bits (32 or 64) from a scanned text.
std::optional<int64_t> signed_value(const IntText& r, int bits) {
    const uint64_t top = uint64_t{1} << (bits - 1);
    if (r.hex) {
        // The bit pattern counts, so 0xFFFFFFFF is -1 in 32 bits.
        uint64_t pattern = r.negative ? 0 - r.magnitude : r.magnitude;
        if (bits == 32) return static_cast<int32_t>(static_cast<uint32_t>(pattern));
        return static_cast<int64_t>(pattern);
    }
    if (r.negative) {
        if (r.magnitude > top) return std::nullopt;
        return static_cast<int64_t>(0 - r.magnitude);
    }
    if (r.magnitude >= top) return std::nullopt;
    return static_cast<int64_t>(r.magnitude);
}

}  // namespace

std::optional<int32_t> network_int32(std::string_view text) {
    auto r = scan_int(text, 8);
    if (!r) return std::nullopt;
    auto v = signed_value(*r, 32);
    if (!v) return std::nullopt;
    return static_cast<int32_t>(*v);
}

std::optional<int64_t> network_int64(std::string_view text) {
    auto r = scan_int(text, 16);
    if (!r) return std::nullopt;
    return signed_value(*r, 64);
}

std::optional<uint32_t> network_uint32(std::string_view text) {
    auto r = scan_int(text, 8);
    if (!r || (r->negative && r->magnitude != 0) || r->magnitude > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<uint32_t>(r->magnitude);
}

std::optional<double> parse_user_number(std::string_view s) {
    std::string text(s);
    if (text.find('.') == std::string::npos) std::replace(text.begin(), text.end(), ',', '.');
    size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    if (i == text.size() || !(std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.')) return std::nullopt;
    if (text[0] == '+') text.erase(0, 1);
    double v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || p != text.data() + text.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace zv
