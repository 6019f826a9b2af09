#include "gsdml/param_value.h"

#include <cfloat>
#include <cmath>
#include <optional>
#include <vector>

#include "text/encoding.h"
#include "text/number_text.h"
#include "text/text_util.h"

namespace zv {
namespace {

constexpr ParamType kParamTypes[] = {
    {"Integer8", ParamKind::Integer, 1, true},   {"Unsigned8", ParamKind::Integer, 1},
    {"Boolean", ParamKind::Integer, 1},          {"Unsigned8_S", ParamKind::Integer, 1},
    {"Integer16", ParamKind::Integer, 2, true},  {"Unsigned16", ParamKind::Integer, 2},
    {"Unsigned16_S", ParamKind::Integer, 2},     {"Integer16_S", ParamKind::Integer, 2, true},
    {"Integer32", ParamKind::Integer, 4, true},  {"Unsigned32", ParamKind::Integer, 4},
    {"Integer64", ParamKind::Integer, 8, true},  {"Unsigned64", ParamKind::Integer, 8},
    {"Float32", ParamKind::Float32, 4},          {"Float64", ParamKind::Float64, 8},
    {"Bit", ParamKind::Bit, 1},                  {"BitArea", ParamKind::BitArea, 1},
    {"VisibleString", ParamKind::String, 0},     {"UnicodeString8", ParamKind::String, 0},
    {"61131_STRING", ParamKind::String, 0},      {"61131_WSTRING", ParamKind::String, 0},
    {"OctetString", ParamKind::OctetString, 0},  {"OctetString_S", ParamKind::OctetString, 0},
};

// Wide enough for every value of every integer type, with a sign.
using Wide = __int128;

std::string wide_text(Wide v) {
    if (v == 0) return "0";
    const bool neg = v < 0;
    unsigned __int128 m = neg ? -static_cast<unsigned __int128>(v) : static_cast<unsigned __int128>(v);
    std::string s;
    for (; m; m /= 10) s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
    return neg ? "-" + s : s;
}

std::string quoted(std::string_view v) { return "\"" + std::string(v) + "\""; }

struct IntRange {
    Wide lo, hi;
    int bits;
    bool is_signed;
};

// The value range of an integer field; nothing when its width is unknown.
std::optional<IntRange> int_range(const ParamType& t, int bit_length) {
    int bits = t.size * 8;
    if (t.kind == ParamKind::Bit) bits = 1;
    if (t.kind == ParamKind::BitArea) bits = bit_length;
    if (bits < 1 || bits > 64) return std::nullopt;
    const Wide span = Wide{1} << bits;
    if (t.is_signed) return IntRange{-span / 2, span / 2 - 1, bits, true};
    return IntRange{0, span - 1, bits, false};
}

// The integer a value stands for in a field of the range: a hexadecimal value
// is the field's bit pattern, so 0xFF in an Integer8 is -1. Nothing when the
// text is not an integer; a pattern wider than the field stays unsigned and so
// falls outside the range.
std::optional<Wide> int_value(std::string_view text, const std::optional<IntRange>& r) {
    auto t = scan_int(text, 16);
    if (!t) return std::nullopt;
    Wide v = static_cast<Wide>(t->magnitude);
    if (t->hex && !t->negative && r && r->is_signed && v <= r->hi * 2 + 1 && v > r->hi) v -= (r->hi + 1) * 2;
    return t->negative ? -v : v;
}

// A number of the allowed values: the device-description integer rule (0x, 0X,
// x, X or $ before hexadecimal digits), unbounded to 64 bits.
std::optional<Wide> allowed_int(std::string_view token) {
    std::string s;
    if (!token.empty() && (token[0] == '+' || token[0] == '-')) {
        s += token[0];
        token.remove_prefix(1);
    }
    if (token.size() > 1 && token[0] == '0' && token[1] == 'X')
        token.remove_prefix(2), s += "0x";
    else if (!token.empty() && (token[0] == 'x' || token[0] == 'X'))
        token.remove_prefix(1), s += "0x";
    s += token;
    auto t = scan_int(s, 16);
    if (!t) return std::nullopt;
    const Wide v = static_cast<Wide>(t->magnitude);
    return t->negative ? -v : v;
}

template <class T>
struct Span {
    T lo, hi;
};

// The allowed values as ranges (a single number is a range of one); nothing
// when the text holds a token that is not a number or a forward range.
template <class T, class Parse>
std::optional<std::vector<Span<T>>> allowed_spans(std::string_view text, Parse parse) {
    std::vector<Span<T>> out;
    text = trim(text);
    while (!text.empty()) {
        size_t end = 0;
        while (end < text.size() && static_cast<unsigned char>(text[end]) > 32) ++end;
        const std::string_view token = text.substr(0, end);
        text = trim(text.substr(end));
        const size_t dots = token.find("..");
        auto lo = parse(token.substr(0, dots));
        auto hi = dots == std::string_view::npos ? lo : parse(token.substr(dots + 2));
        if (!lo || !hi || *hi < *lo) return std::nullopt;
        out.push_back({*lo, *hi});
    }
    return out;
}

template <class T>
bool among(const std::vector<Span<T>>& spans, T v) {
    for (const auto& s : spans)
        if (v >= s.lo && v <= s.hi) return true;
    return false;
}

std::string not_allowed(std::string_view value, std::string_view allowed) {
    return quoted(value) + " is not among the allowed values " + std::string(trim(allowed));
}

std::string check_integer(const ParamType& t, const ParamDescription& d, std::string_view value) {
    const std::optional<IntRange> range = int_range(t, d.bit_length);
    const std::optional<Wide> v = int_value(value, range);
    if (!v) return quoted(value) + " is not an integer, as " + std::string(d.data_type) + " needs";
    if (range && (*v < range->lo || *v > range->hi)) {
        std::string type(d.data_type);
        if (t.kind == ParamKind::BitArea) type += " of " + std::to_string(range->bits) + " bits";
        return quoted(value) + " does not fit " + type + " (" + wide_text(range->lo) + ".." + wide_text(range->hi) + ")";
    }
    // The bank takes integers as signed 64-bit texts: a larger decimal
    // Unsigned64 fits its type but would not be written.
    if (t.kind == ParamKind::Integer && !network_int64(value))
        return quoted(value) + " is not sent to the device: above 9223372036854775807, write it in hexadecimal";
    if (auto spans = allowed_spans<Wide>(d.allowed_values, allowed_int); spans && !spans->empty() && !among(*spans, *v))
        return not_allowed(value, d.allowed_values);
    return {};
}

std::string check_float(const ParamType& t, const ParamDescription& d, std::string_view value) {
    const std::optional<double> v = parse_user_number(value);
    if (!v) return quoted(value) + " is not a number, as " + std::string(d.data_type) + " needs";
    if (t.kind == ParamKind::Float32 && std::fabs(*v) > FLT_MAX) return quoted(value) + " does not fit Float32";
    if (auto spans = allowed_spans<double>(d.allowed_values, parse_user_number); spans && !spans->empty() &&
                                                                                  !among(*spans, *v))
        return not_allowed(value, d.allowed_values);
    return {};
}

std::string check_string(const ParamDescription& d, std::string_view value) {
    const size_t chars = to_code_unit_bytes(value).size();
    if (d.length > 0 && chars > static_cast<size_t>(d.length))
        return quoted(value) + " has " + std::to_string(chars) + " characters, more than the " +
               std::to_string(d.length) + " of this " + std::string(d.data_type);
    if (d.data_type == "VisibleString")
        for (unsigned char c : value)
            if (c < 0x20 || c > 0x7E) return quoted(value) + " holds characters that a VisibleString cannot carry";
    return {};
}

std::string check_octets(const ParamDescription& d, std::string_view value) {
    size_t bytes = 0, from = 0;
    while (from <= value.size()) {
        const size_t comma = value.find(',', from);
        const std::string_view piece =
            trim(value.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from));
        const auto v = network_int32(piece);
        if (!v || *v < 0 || *v > 255)
            return quoted(value) + ": " + quoted(piece) + " is not a byte (0..255) of the comma-separated list " +
                   std::string(d.data_type) + " needs";
        ++bytes;
        if (comma == std::string_view::npos) break;
        from = comma + 1;
    }
    if (d.length > 0 && bytes > static_cast<size_t>(d.length))
        return quoted(value) + " has " + std::to_string(bytes) + " bytes, more than the " + std::to_string(d.length) +
               " of this " + std::string(d.data_type);
    return {};
}

}  // namespace

ParamType param_type(std::string_view name) {
    for (const ParamType& t : kParamTypes)
        if (name == t.name) return t;
    return {"", ParamKind::None, 0};
}

std::string check_param_value(const ParamDescription& d, std::string_view value) {
    // The record gets the value as the compiler reads it: trimmed.
    value = trim(value);
    if (value.empty()) return {};
    const ParamType t = param_type(d.data_type);
    switch (t.kind) {
        case ParamKind::Bit:
        case ParamKind::BitArea:
        case ParamKind::Integer: return check_integer(t, d, value);
        case ParamKind::Float32:
        case ParamKind::Float64: return check_float(t, d, value);
        case ParamKind::String: return check_string(d, value);
        case ParamKind::OctetString: return check_octets(d, value);
        case ParamKind::None: return {};
    }
    return {};
}

}  // namespace zv
