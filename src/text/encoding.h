#pragma once
#include <string>
#include <string_view>

namespace zv {

// A text file's bytes as UTF-8: a UTF-8, UTF-16 LE or UTF-16 BE byte-order mark
// decides the encoding (and is dropped); without one the bytes are Windows-1252.
std::string decode_text_file(std::string_view bytes);

// The first byte at or after `from` that is not ASCII; the size when none is.
size_t ascii_end(std::string_view bytes, size_t from = 0);

// True when the bytes are well-formed UTF-8 (ASCII included).
bool is_valid_utf8(std::string_view bytes);

std::string cp1252_to_utf8(std::string_view bytes);
std::u16string utf8_to_utf16(std::string_view utf8);  // invalid bytes become U+FFFD
std::string utf16_to_utf8(std::u16string_view utf16);

// One byte per character: the low 8 bits of each UTF-16 code unit of the text.
// This is what every fixed text field of the device images holds.
std::string to_code_unit_bytes(std::string_view utf8);

// Windows-1252 bytes of a UTF-8 text; characters outside the code page become '?'.
std::string utf8_to_cp1252(std::string_view utf8);

}  // namespace zv
