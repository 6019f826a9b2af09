#pragma once
// Reading a bank image back the way the device reads it, for people who want to
// see what a device was sent and for tests that check images without the builders.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

#include <nlohmann/json.hpp>

namespace zv {

// Files larger than this are refused before they are read: no bank comes close.
inline constexpr size_t kBankDumpMaxFile = 1 << 20;

// 1, 2 or 3 for a file named bank1.bin, bank2.bin or bank3.bin (in any case).
std::optional<int> bank_of_file_name(const std::filesystem::path& file);

// Every field of the image as {"offset": byte offset in the file, "value": ...},
// repeated items as arrays, following every address from the start of the image.
// What cannot be read or does not add up (an address outside the image, a
// checksum that does not match, a truncated image, bytes no structure reaches)
// is listed in "problems", which is empty for a sound image; whatever could be
// decoded is shown all the same. Never reads outside `image`.
nlohmann::ordered_json dump_bank(int bank, std::string_view image);

}  // namespace zv
