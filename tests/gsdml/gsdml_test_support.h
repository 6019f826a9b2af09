#pragma once
#include <filesystem>
#include <string>

#include "common/test_support.h"
#include "gsdml/gsdml.h"

namespace gsdtest {

inline std::filesystem::path fixture(const std::string& name) {
    return std::filesystem::path(ZV_FIXTURES) / "gsdml" / name;
}

inline std::string fixture_text(const std::string& name) { return zvtest::slurp(fixture(name)); }

// `text` with the first occurrence of `from` replaced; the test fails when absent.
std::string replaced(std::string text, const std::string& from, const std::string& to);

// Writes bytes as `name` into dir and decodes them; throws what Decode_GSDML throws.
bool decode_bytes(zv::TGSDML& g, const zvtest::TempDir& dir, const std::string& bytes,
                  const std::string& name = "GSDML-test.xml");

}  // namespace gsdtest
