#include "text/encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace zv {
namespace {

// Windows-1252 0x80..0x9F; 0 marks the five undefined bytes, kept as their C1 code point.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one code point at i, advancing i; malformed input yields U+FFFD.
char32_t next_code_point(std::string_view s, size_t& i) {
    auto b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80) return b;
    int extra = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0) return 0xFFFD;
    char32_t cp = b & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
    return cp;
}

std::string utf16_bytes_to_utf8(std::string_view bytes, bool big_endian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(big_endian ? (a << 8 | b) : (b << 8 | a));
    }
    return utf16_to_utf8(units);
}

}  // namespace

// Eight bytes at a time while they are all ASCII: most of a device description is.
size_t ascii_end(std::string_view s, size_t i) {
    while (i + 8 <= s.size()) {
        uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        if (w & 0x8080808080808080ull) break;
        i += 8;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
    return i;
}

bool is_valid_utf8(std::string_view s) {
    for (size_t i = ascii_end(s, 0); i < s.size(); i = ascii_end(s, i)) {
        size_t start = i;
        char32_t cp = next_code_point(s, i);
        // U+FFFD written out is three bytes; a malformed sequence yields it from fewer.
        if (cp == 0xFFFD && !(i - start == 3 && s.substr(start, 3) == "\xEF\xBF\xBD")) return false;
    }
    return true;
}

std::string cp1252_to_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (size_t i = 0; i < bytes.size();) {
        size_t end = ascii_end(bytes, i);
        out.append(bytes.data() + i, end - i);
        if (end == bytes.size()) break;
        auto b = static_cast<unsigned char>(bytes[end]);
        char16_t cp = b;
        if (b < 0xA0 && kCp1252High[b - 0x80] != 0) cp = kCp1252High[b - 0x80];
        append_utf8(out, cp);
        i = end + 1;
    }
    return out;
}

std::string decode_text_file(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string(bytes.substr(3));
    if (bytes.substr(0, 2) == "\xFF\xFE") return utf16_bytes_to_utf8(bytes.substr(2), false);
    if (bytes.substr(0, 2) == "\xFE\xFF") return utf16_bytes_to_utf8(bytes.substr(2), true);
    return cp1252_to_utf8(bytes);
}

std::u16string utf8_to_utf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = next_code_point(utf8, i);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string utf16_to_utf8(std::u16string_view u) {
    std::string out;
    out.reserve(u.size());
    for (size_t i = 0; i < u.size(); ++i) {
        char32_t cp = u[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < u.size() && u[i + 1] >= 0xDC00 && u[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (u[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        append_utf8(out, cp);
    }
    return out;
}

std::string to_code_unit_bytes(std::string_view utf8) {
    std::u16string u = utf8_to_utf16(utf8);
    std::string out(u.size(), '\0');
    for (size_t i = 0; i < u.size(); ++i) out[i] = static_cast<char>(u[i] & 0xFF);
    return out;
}

std::string utf8_to_cp1252(std::string_view utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = next_code_point(utf8, i);
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char c = '?';
        for (size_t k = 0; k < kCp1252High.size(); ++k)
            if (kCp1252High[k] == cp) c = static_cast<char>(0x80 + k);
        out += c;
    }
    return out;
}

}  // namespace zv
