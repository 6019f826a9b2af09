#include "gsdml/gsdml.h"

#include <new>

#include "gsdml/gsdml_read.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/text_util.h"

namespace zv {
namespace {

// The encoding named in the XML declaration, upper case; empty without one.
std::string declared_encoding(std::string_view bytes) {
    if (bytes.substr(0, 5) != "<?xml") return {};
    std::string_view decl = bytes.substr(0, bytes.find("?>"));
    size_t e = decl.find("encoding");
    if (e == std::string_view::npos) return {};
    size_t q = decl.find_first_of("\"'", e);
    if (q == std::string_view::npos) return {};
    size_t end = decl.find(decl[q], q + 1);
    if (end == std::string_view::npos) return {};
    return to_upper_ascii(decl.substr(q + 1, end - q - 1));
}

bool is_single_byte_western(const std::string& enc) {
    return enc == "ISO-8859-1" || enc == "ISO8859-1" || enc == "ISO_8859-1" || enc == "LATIN1" ||
           enc == "LATIN-1" || enc == "L1" || enc == "WINDOWS-1252" || enc == "CP1252" || enc == "ISO-8859-15" ||
           enc == "US-ASCII" || enc == "ASCII";
}

bool has_high_byte(std::string_view s) { return ascii_end(s) != s.size(); }

std::string position_text(std::string_view text, ptrdiff_t offset) {
    size_t end = offset < 0 ? 0 : std::min(text.size(), static_cast<size_t>(offset));
    size_t line = 1, column = 1;
    for (size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

bool gsdml_bytes_to_utf8(std::string& bytes) {
    std::string_view b = bytes;
    if (b.substr(0, 3) == "\xEF\xBB\xBF") return true;
    if (b.size() >= 2 && (b.substr(0, 2) == "\xFF\xFE" || b.substr(0, 2) == "\xFE\xFF" || b[0] == '\0' || b[1] == '\0'))
        return false;  // UTF-16 or UTF-32: the parser converts it
    std::string enc = declared_encoding(b);
    // Files declared UTF-8 (or not at all) that still hold Latin-1 letters exist;
    // their bytes are taken as Windows-1252 like those that say so.
    if (is_single_byte_western(enc) ? has_high_byte(b) : !is_valid_utf8(b)) bytes = cp1252_to_utf8(b);
    return true;
}

std::string gsdml_folder_of(const std::filesystem::path& file) {
    std::string folder = file.parent_path().string();
    if (folder.empty()) folder = ".";
    if (folder.back() != '/' && folder.back() != static_cast<char>(std::filesystem::path::preferred_separator))
        folder += static_cast<char>(std::filesystem::path::preferred_separator);
    return folder;
}

bool decode_gsdml_file(TGSDML& gsdml, const std::filesystem::path& file) {
    return gsdml.Decode_GSDML(gsdml_folder_of(file), file.filename().string());
}

bool TGSDML::Decode_GSDML(const std::string& GSDML_Path, const std::string& GSDML_FileName) {
    const std::filesystem::path full(GSDML_Path + GSDML_FileName);
    std::error_code ec;
    if (GSDML_FileName.empty() || !std::filesystem::is_regular_file(full, ec)) {
        Decode_Failure = "no such file: " + full.string();
        return false;
    }
    FGSDML_FileName = GSDML_FileName;
    FGSDML_Path = GSDML_Path;
    Decode_Failure.clear();

    std::string bytes = read_file(full);
    const bool utf8 = gsdml_bytes_to_utf8(bytes);
    // Xml1 lives only here: everything the model keeps is copied out of it.
    pugi::xml_document Xml1;
    pugi::xml_parse_result r = Xml1.load_buffer_inplace(bytes.data(), bytes.size(), pugi::parse_default,
                                                        utf8 ? pugi::encoding_utf8 : pugi::encoding_auto);
    if (!r) {
        // Parsing in place changed the buffer; count lines in a fresh copy.
        std::string again = read_file(full);
        gsdml_bytes_to_utf8(again);
        throw Error(full.string() + " is not well-formed XML: " + r.description() + " at " +
                    position_text(again, r.offset));
    }

    gsdml_read::clear_failure();
    bool result = false;
    try {
        pugi::xml_node root = gsdml_read::find_child(Xml1, "ISO15745Profile");
        if (!root) {
            Decode_Failure = "required element ISO15745Profile is missing";
            return false;
        }
        pugi::xml_node header = gsdml_read::find_child(root, "ProfileHeader");
        if (!header) {
            Decode_Failure = "ISO15745Profile: required element ProfileHeader is missing";
            return false;
        }
        result = ProfileHeader.Read_ProfileHeader(header);
        if (result) {
            pugi::xml_node body = gsdml_read::find_child(root, "ProfileBody");
            if (!body) {
                Decode_Failure = "ISO15745Profile: required element ProfileBody is missing";
                return false;
            }
            result = ProfileBody.Read_ProfileBody(body);
        }
    } catch (const std::bad_alloc&) {
        gsdml_read::note_failure({}, "out of memory");
        result = false;
    }
    if (!result) {
        Decode_Failure = gsdml_read::failure();
        if (Decode_Failure.empty()) Decode_Failure = "the file does not describe a device";
    }
    gsdml_read::clear_failure();
    return result;
}

std::string TGSDML::GetString_ExternalTextList(const std::string& Str) const {
    if (const TExternalTextList* t = ProfileBody.ApplicationProcess.ExternalTextList.get())
        for (const TTextItem& item : t->PrimaryLanguage.TextList)
            if (item.FTextId == Str) return std::string(item.FValue);
    return Str;
}

bool TGSDML::GetValuesFromValueList(const std::string& ValueList) {
    ArrValueList.clear();
    std::string_view rest = ValueList;
    while (!rest.empty()) {
        std::string_view token;
        size_t blank = rest.find(' ');
        if (blank == std::string_view::npos) {
            token = rest;
            rest = {};
        } else {
            token = rest.substr(0, blank);
            rest = trim(rest.substr(blank + 1));
        }
        int32_t v = gsdml_int_or(trim(token), -1);
        if (v >= 0) ArrValueList.push_back(v);
    }
    return true;
}

}  // namespace zv
