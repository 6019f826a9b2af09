#pragma once
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

}  // namespace zv
