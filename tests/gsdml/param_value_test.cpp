// Whether a typed parameter value fits its data type and allowed values.
#include <gtest/gtest.h>

#include "gsdml/param_value.h"

using zv::check_param_value;
using zv::ParamDescription;

namespace {

struct Case {
    const char* type;
    const char* value;
    const char* warning;  // "" when the value fits
    const char* allowed = "";
    int bit_length = 0;
    int length = 0;
};

void run(const Case* begin, const Case* end) {
    for (const Case* c = begin; c != end; ++c) {
        const ParamDescription d{c->type, c->bit_length, c->length, c->allowed};
        EXPECT_EQ(check_param_value(d, c->value), c->warning)
            << c->type << " \"" << c->value << "\" allowed \"" << c->allowed << "\"";
    }
}

}  // namespace

TEST(ParamValue, IntegerTypesAtTheirBoundaries) {
    const Case cases[] = {
        {"Unsigned8", "0", ""},
        {"Unsigned8", "255", ""},
        {"Unsigned8", "256", "\"256\" does not fit Unsigned8 (0..255)"},
        {"Unsigned8", "-1", "\"-1\" does not fit Unsigned8 (0..255)"},
        {"Unsigned8", "-0", ""},
        {"Unsigned8_S", "256", "\"256\" does not fit Unsigned8_S (0..255)"},
        {"Boolean", "255", ""},
        {"Integer8", "-128", ""},
        {"Integer8", "127", ""},
        {"Integer8", "128", "\"128\" does not fit Integer8 (-128..127)"},
        {"Integer8", "-129", "\"-129\" does not fit Integer8 (-128..127)"},
        {"Unsigned16", "65535", ""},
        {"Unsigned16", "65536", "\"65536\" does not fit Unsigned16 (0..65535)"},
        {"Unsigned16_S", "65536", "\"65536\" does not fit Unsigned16_S (0..65535)"},
        {"Integer16", "-32768", ""},
        {"Integer16", "32768", "\"32768\" does not fit Integer16 (-32768..32767)"},
        {"Integer16_S", "-32769", "\"-32769\" does not fit Integer16_S (-32768..32767)"},
        {"Unsigned32", "4294967295", ""},
        {"Unsigned32", "4294967296", "\"4294967296\" does not fit Unsigned32 (0..4294967295)"},
        {"Integer32", "-2147483648", ""},
        {"Integer32", "2147483648", "\"2147483648\" does not fit Integer32 (-2147483648..2147483647)"},
        {"Unsigned64", "9223372036854775807", ""},
        {"Unsigned64", "18446744073709551615",
         "\"18446744073709551615\" is not sent to the device: above 9223372036854775807, write it in hexadecimal"},
        {"Unsigned64", "-1", "\"-1\" does not fit Unsigned64 (0..18446744073709551615)"},
        {"Integer64", "-9223372036854775808", ""},
        {"Integer64", "9223372036854775808",
         "\"9223372036854775808\" does not fit Integer64 (-9223372036854775808..9223372036854775807)"},
        // Hexadecimal is the field's bit pattern, as the bank gets it.
        {"Unsigned8", "0xFF", ""},
        {"Unsigned8", "$100", "\"$100\" does not fit Unsigned8 (0..255)"},
        {"Integer8", "0xFF", ""},
        {"Integer8", "0x100", "\"0x100\" does not fit Integer8 (-128..127)"},
        {"Unsigned64", "0xFFFFFFFFFFFFFFFF", ""},
        // Blanks around the value do not count (the record gets it trimmed); an
        // empty value takes the default.
        {"Unsigned8", " 7 ", ""},
        {"Unsigned8", "  ", ""},
        {"Unsigned8", "12a", "\"12a\" is not an integer, as Unsigned8 needs"},
        {"Unsigned8", "1.5", "\"1.5\" is not an integer, as Unsigned8 needs"},
        {"Integer32", "0X10", "\"0X10\" is not an integer, as Integer32 needs"},
    };
    run(std::begin(cases), std::end(cases));
}

TEST(ParamValue, BitAndBitArea) {
    const Case cases[] = {
        {"Bit", "0", ""},
        {"Bit", "1", ""},
        {"Bit", "2", "\"2\" does not fit Bit (0..1)"},
        {"Bit", "-1", "\"-1\" does not fit Bit (0..1)"},
        {"Bit", "on", "\"on\" is not an integer, as Bit needs"},
        {"BitArea", "7", "", "", 3},
        {"BitArea", "8", "\"8\" does not fit BitArea of 3 bits (0..7)", "", 3},
        {"BitArea", "0x7", "", "", 3},
        {"BitArea", "255", "", "", 8},
        {"BitArea", "256", "\"256\" does not fit BitArea of 8 bits (0..255)", "", 8},
        // Without a usable bit length only the integer is judged.
        {"BitArea", "1000", "", "", 0},
        {"BitArea", "x", "\"x\" is not an integer, as BitArea needs", "", 0},
        {"BitArea", "3", "\"3\" is not among the allowed values 0..2", "0..2", 2},
    };
    run(std::begin(cases), std::end(cases));
}

TEST(ParamValue, AllowedRangesAndLists) {
    const Case cases[] = {
        {"Unsigned16", "1", "", "1..1000"},
        {"Unsigned16", "1000", "", "1..1000"},
        {"Unsigned16", "0", "\"0\" is not among the allowed values 1..1000", "1..1000"},
        {"Unsigned16", "1001", "\"1001\" is not among the allowed values 1..1000", "1..1000"},
        {"Unsigned8", "3", "", "0 1 3"},
        {"Unsigned8", "2", "\"2\" is not among the allowed values 0 1 3", "0 1 3"},
        {"Unsigned8", "7", "", " 0..2  5..9 "},
        {"Unsigned8", "4", "\"4\" is not among the allowed values 0..2  5..9", " 0..2  5..9 "},
        {"Integer16", "-5", "", "-10..-1 1..10"},
        {"Integer16", "0", "\"0\" is not among the allowed values -10..-1 1..10", "-10..-1 1..10"},
        {"Unsigned8", "16", "", "0x10 x20 0X30 $40"},
        {"Unsigned8", "17", "\"17\" is not among the allowed values 0x10 x20 0X30 $40", "0x10 x20 0X30 $40"},
        {"Unsigned8", "0x10", "", "16"},
        // The type comes first: a value outside it is reported as such.
        {"Unsigned8", "300", "\"300\" does not fit Unsigned8 (0..255)", "0..2"},
        // Allowed values that cannot be read are not judged.
        {"Unsigned8", "9", "", "0..2 many"},
        {"Unsigned8", "9", "", "5..1"},
        {"Unsigned8", "9", "", "..3"},
        {"Float32", "2.5", "", "0..10"},
        {"Float32", "10,5", "\"10,5\" is not among the allowed values 0..10", "0..10"},
        {"Float64", "0.25", "", "0.5..1 0.25"},
    };
    run(std::begin(cases), std::end(cases));
}

TEST(ParamValue, FloatsStringsAndOctets) {
    const Case cases[] = {
        {"Float32", "-1.5", ""},
        {"Float32", "1,5", ""},
        {"Float32", "1e39", "\"1e39\" does not fit Float32"},
        {"Float64", "1e39", ""},
        {"Float64", "fast", "\"fast\" is not a number, as Float64 needs"},
        {"VisibleString", "abcd", "", "", 0, 4},
        {"VisibleString", "abcde", "\"abcde\" has 5 characters, more than the 4 of this VisibleString", "", 0, 4},
        {"VisibleString", "caf\xc3\xa9", "\"caf\xc3\xa9\" holds characters that a VisibleString cannot carry"},
        {"UnicodeString8", "caf\xc3\xa9", "", "", 0, 4},
        {"OctetString", "1, 0x02,255", "", "", 0, 3},
        {"OctetString", "1,2,3,4", "\"1,2,3,4\" has 4 bytes, more than the 3 of this OctetString", "", 0, 3},
        {"OctetString", "1,256", "\"1,256\": \"256\" is not a byte (0..255) of the comma-separated list OctetString needs"},
        {"OctetString_S", "1,,2",
         "\"1,,2\": \"\" is not a byte (0..255) of the comma-separated list OctetString_S needs"},
        // Types the record does not encode are not judged.
        {"N2", "anything", ""},
        {"", "anything", ""},
    };
    run(std::begin(cases), std::end(cases));
}
