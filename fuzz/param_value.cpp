// Parameter values and allowed values come from hand-editable network files
// and device descriptions: the check must judge any of them without crashing.
// Input: data type, bit length, length, allowed values and value, one per line.
#include <cstdint>
#include <string_view>

#include "gsdml/param_value.h"
#include "text/text_util.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    std::string_view f[5];
    for (int i = 0; i < 5; ++i) {
        const size_t nl = in.find('\n');
        f[i] = in.substr(0, nl);
        in = nl == std::string_view::npos ? std::string_view() : in.substr(nl + 1);
    }
    auto num = [](std::string_view s) {
        auto v = zv::parse_decimal(s);
        return v && *v >= -1000 && *v <= 1000 ? static_cast<int>(*v) : 0;
    };
    zv::check_param_value({f[0], num(f[1]), num(f[2]), f[3]}, f[4]);
    return 0;
}
