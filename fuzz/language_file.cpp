// Language files are hand-edited: any bytes must parse without harm.
#include <cstdint>
#include <string_view>

#include "text/string_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static zv::StringTable table = [] {
        zv::StringTable t;
        t.Build_Table();
        return t;
    }();
    table.apply_language_bytes(std::string_view(reinterpret_cast<const char*>(data), size));
    if (table.size() != zv::StringTable::kSize) __builtin_trap();
    return 0;
}
