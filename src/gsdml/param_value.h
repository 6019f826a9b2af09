#pragma once
// The data types of parameter fields in device descriptions: how a value of
// each is written into its record, and whether a typed value fits the type
// and the allowed values the description gives.
#include <string>
#include <string_view>

namespace zv {

enum class ParamKind { None, Bit, BitArea, Integer, Float32, Float64, String, OctetString };

struct ParamType {
    const char* name;
    ParamKind kind;
    int size;  // bytes written; 0 for strings
    bool is_signed = false;
};

// The type of a DataType name (exact); kind None for a type that is not encoded.
ParamType param_type(std::string_view name);

// What the description says about one parameter field.
struct ParamDescription {
    std::string_view data_type;
    int bit_length = 0;  // BitArea
    int length = 0;      // strings and octet strings; 0: not limited
    std::string_view allowed_values;  // numbers and ranges "a..b", blank-separated
};

// Why a typed value does not fit its description (its data type, then its
// allowed values), for the user; empty when it fits. An empty value (the
// default is used), a data type that is not encoded and an allowed-values
// text that cannot be read are not judged.
std::string check_param_value(const ParamDescription& d, std::string_view value);

}  // namespace zv
