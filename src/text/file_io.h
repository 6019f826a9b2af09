#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zv {

// True when something exists at the path; errors (no permission) count as absent.
bool file_exists(const std::filesystem::path& file);

// Whole file as bytes; throws zv::Error naming the file when it cannot be read.
std::string read_file(const std::filesystem::path& file);

// Writes to a temporary file beside the target and renames it over the target,
// so an interrupted save never leaves a half-written file. Throws zv::Error.
void write_file_atomic(const std::filesystem::path& file, std::string_view bytes);

// All files or none: every content goes to its temporary file first, and only
// when all are written are they renamed into place.
void write_files_atomic(const std::vector<std::pair<std::filesystem::path, std::string>>& files);

}  // namespace zv
