#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The numbered user-interface texts. Empty until the first Build_Table; after
// it always exactly kSize entries.
class StringTable {
public:
    static constexpr int kSize = 3600;

    void Build_Table();
    // Applies every line of a language file; an unreadable file changes nothing.
    void Lng_Parse(const std::filesystem::path& file);
    // The same for a file's bytes already in memory.
    void apply_language_bytes(std::string_view bytes);
    // One line of a language file, already decoded to UTF-8.
    void apply_line(std::string_view line);

    // Entry n, or an empty text for a number outside the table.
    const std::string& operator[](int n) const;
    size_t size() const { return entries_.size(); }

private:
    std::vector<std::string> entries_;
};

// Rebuilds the table in English and applies Language_Name's file; falls back to
// English.lng, and then to the built-in texts, setting Language_Name to "English".
void Lng_Load(StringTable& table, const std::filesystem::path& Language_Path, std::string& Language_Name);

}  // namespace zv
