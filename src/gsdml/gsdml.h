#pragma once
// TGSDML: one decoded device description file.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "gsdml/gsdml_model.h"

namespace zv {

class TGSDML {
public:
    std::string FGSDML_FileName;  // name without folder, as given to Decode_GSDML
    std::string FGSDML_Path;      // folder as given, ending with a separator
    TProfileHeader ProfileHeader;
    TProfileBody ProfileBody;
    std::vector<int32_t> ArrValueList;  // result of the last GetValuesFromValueList

    // Why the last Decode_GSDML returned false (which element is missing, ...).
    std::string Decode_Failure;

    // Reads GSDML_Path + GSDML_FileName, run together as given. False when there
    // is no such file or a required element is missing or fails; a file that is
    // not well-formed XML throws zv::Error with the parser's reason and position.
    // The parsed document lives only inside this call.
    bool Decode_GSDML(const std::string& GSDML_Path, const std::string& GSDML_FileName);

    // Text of the primary language for a TextId; the TextId itself when none.
    std::string GetString_ExternalTextList(const std::string& Str) const;

    // Blank-separated numbers into ArrValueList (negative or bad tokens skipped).
    bool GetValuesFromValueList(const std::string& ValueList);
};

// The folder of a file as Decode_GSDML wants it: with its trailing separator.
std::string gsdml_folder_of(const std::filesystem::path& file);

// Decodes `file` into `gsdml` (folder and name split for Decode_GSDML).
bool decode_gsdml_file(TGSDML& gsdml, const std::filesystem::path& file);

// A file's bytes as UTF-8 for the parser: UTF-8 with or without byte-order mark
// stays; a file declared ISO-8859-1 / Windows-1252, or one whose bytes are not
// UTF-8, is converted from Windows-1252. UTF-16 is left to the parser (false).
bool gsdml_bytes_to_utf8(std::string& bytes);

}  // namespace zv
