#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

// Removes every character with a code up to 32 at both ends (blanks, tabs, controls).
std::string_view trim(std::string_view s);
std::string trim_copy(std::string_view s);

// ASCII upper case; other bytes are kept, so UTF-8 passes through unchanged.
std::string to_upper_ascii(std::string_view s);
bool iequals_ascii(std::string_view a, std::string_view b);
bool starts_with(std::string_view s, std::string_view prefix);

// Strict decimal integer: an optional sign and at least one digit, nothing else.
std::optional<long long> parse_decimal(std::string_view s);

// Replaces each "%d" in order by the numbers given.
std::string format_d(std::string_view templ, long long value);

// A dotted IPv4 address: four groups of 0..255, blanks allowed around the whole
// text and around each group. The four trimmed groups go to `parts` in order.
bool Check_IP_Address(std::string_view text, std::array<std::string, 4>& parts);
bool Check_IP_Address(std::string_view text);

// The four bytes of a dotted address. Returns true on error: an empty text
// (bytes untouched), or a group that is not 0..255 (that byte becomes 0).
bool IP_Address_To_Bytes(std::string_view text, std::array<uint8_t, 4>& bytes);

// The word TRUE in any case, blanks around it allowed.
bool Is_TRUE(std::string_view text);

}  // namespace zv
