// Untrusted bank images through the decoder: it must never read outside the
// image, and every offset it shows must lie inside it.
// Input: one character '1', '2' or '3' for the bank (any byte works: its value modulo 3,
// 0 for bank 3), then the image.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "compiler/bank_dump.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void check_offsets(const nlohmann::ordered_json& j, size_t size) {
    if (j.is_object() && j.contains("offset") && j.contains("value")) check(j["offset"].get<size_t>() <= size);
    if (j.is_structured())
        for (const auto& e : j) check_offsets(e, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int bank = data[0] % 3 == 0 ? 3 : data[0] % 3;
    const std::string_view image(reinterpret_cast<const char*>(data) + 1, size - 1);
    const nlohmann::ordered_json j = zv::dump_bank(bank, image);
    check_offsets(j, image.size());
    check(j.at("problems").is_array());
    // What the command prints: names from the image may be any bytes.
    j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    return 0;
}
