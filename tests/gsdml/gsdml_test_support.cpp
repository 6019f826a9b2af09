#include "gsdml/gsdml_test_support.h"

#include <gtest/gtest.h>

namespace gsdtest {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "fixture lacks: " << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

bool decode_bytes(zv::TGSDML& g, const zvtest::TempDir& dir, const std::string& bytes, const std::string& name) {
    zvtest::spit(dir / name, bytes);
    return zv::decode_gsdml_file(g, dir / name);
}

}  // namespace gsdtest
