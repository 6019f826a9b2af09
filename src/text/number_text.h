#pragma once
// The number texts of parameter values and of the network file, read the way
// the compiler encodes them, so a check of a typed value and the bank agree.
#include <cstdint>
#include <optional>
#include <string_view>

namespace zv {

// Sign and magnitude of an integer text: leading blanks and a sign, then
// decimal digits, or hexadecimal after "0x" or "$"; anything else, a trailing
// blank included, is not an integer. `max_hex_digits` bounds a hexadecimal
// value to the width it is read into (leading zeros do not count).
struct IntText {
    bool negative = false;
    bool hex = false;
    uint64_t magnitude = 0;
};
std::optional<IntText> scan_int(std::string_view s, int max_hex_digits);

// The integer texts of the network file by the rule above. Hexadecimal keeps
// its bit pattern in the width.
std::optional<int32_t> network_int32(std::string_view text);
std::optional<int64_t> network_int64(std::string_view text);
std::optional<uint32_t> network_uint32(std::string_view text);  // 0..4294967295

// A decimal number as the user typed it: "." or, when there is none, ","
// separates the fraction, so values typed under either convention convert.
// Infinite and not-a-number results give nothing.
std::optional<double> parse_user_number(std::string_view s);

}  // namespace zv
