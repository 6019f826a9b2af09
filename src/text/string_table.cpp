#include "text/string_table.h"

#include <system_error>

#include "text/encoding.h"
#include "text/file_io.h"
#include "text/text_util.h"

namespace zv {
namespace {

struct BuiltinEntry {
    int number;
    const char* text;
};

constexpr BuiltinEntry kBuiltin[] = {
#include "text/builtin_strings.inc"
};

constexpr char16_t kGuard = u'\u00B6';

std::u16string_view trim16(std::u16string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] <= 32) ++b;
    while (e > b && s[e - 1] <= 32) --e;
    return s.substr(b, e - b);
}

}  // namespace

void StringTable::Build_Table() {
    entries_.assign(kSize, std::string());
    for (const auto& e : kBuiltin) entries_[e.number] = e.text;
}

void StringTable::apply_line(std::string_view line_utf8) {
    if (entries_.size() != kSize) return;
    const std::u16string whole = utf8_to_utf16(line_utf8);
    std::u16string_view line = trim16(whole);
    if (line.substr(0, 3) != u"STR") return;
    size_t eq = line.find(u'=');
    if (eq == std::u16string_view::npos) return;
    // Positions from 1: the number runs from 4 to p - 2; the character just
    // before "=" is never part of it.
    size_t p = eq + 1;
    std::u16string_view number = p >= 5 ? line.substr(3, p - 5) : std::u16string_view();
    auto value = parse_decimal(utf16_to_utf8(trim16(number)));
    if (!value || *value < 0 || *value >= kSize) return;

    std::u16string_view text = trim16(line.substr(eq + 1));
    if (text.empty()) return;
    if (size_t c = text.find(u"/#/"); c != std::u16string_view::npos) text = trim16(text.substr(0, c));
    // A text that is nothing but a comment keeps the entry as it was, like an empty text.
    if (text.empty()) return;
    if (text.front() == kGuard) text.remove_prefix(1);
    if (size_t g = text.find(kGuard); g != std::u16string_view::npos) text = text.substr(0, g);
    entries_[static_cast<size_t>(*value)] = utf16_to_utf8(text);
}

void StringTable::apply_language_bytes(std::string_view bytes) {
    const std::string text = decode_text_file(bytes);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        apply_line(std::string_view(text).substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
}

void StringTable::Lng_Parse(const std::filesystem::path& file) {
    std::string bytes;
    try {
        bytes = read_file(file);
    } catch (const std::exception&) {
        return;
    }
    apply_language_bytes(bytes);
}

const std::string& StringTable::operator[](int n) const {
    static const std::string kEmpty;
    if (n < 0 || static_cast<size_t>(n) >= entries_.size()) return kEmpty;
    return entries_[static_cast<size_t>(n)];
}

void Lng_Load(StringTable& table, const std::filesystem::path& Language_Path, std::string& Language_Name) {
    table.Build_Table();
    std::error_code ec;
    auto file = Language_Path / (Language_Name + ".lng");
    if (std::filesystem::is_regular_file(file, ec)) {
        table.Lng_Parse(file);
        return;
    }
    Language_Name = "English";
    auto english = Language_Path / "English.lng";
    if (std::filesystem::is_regular_file(english, ec)) table.Lng_Parse(english);
}

}  // namespace zv
