#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace zv {

// Parses a file with comments kept as nodes. Throws zv::Error naming the file,
// the parser's reason and the byte offset when it is not well-formed.
void load_xml_file(pugi::xml_document& doc, const std::filesystem::path& file);
void load_xml_bytes(pugi::xml_document& doc, std::string_view bytes, const std::string& what);

// The document's root as our readers take it: the first element child, so a
// hand-added leading comment does not hide the content.
pugi::xml_node first_node(const pugi::xml_document& doc);

// Text of child `name` of `parent`, or nothing when that element is missing.
std::optional<std::string> child_text(const pugi::xml_node& parent, const char* name);

// Serialises raw, without declaration, UTF-8 without byte-order mark.
std::string xml_to_string(const pugi::xml_document& doc);
// The same, written atomically. Throws zv::Error.
void save_xml_file(const pugi::xml_document& doc, const std::filesystem::path& file);

}  // namespace zv
