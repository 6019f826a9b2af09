#pragma once
// Bank 1: the 2048-byte general parameter record.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/bank3.h"

namespace zv {

inline constexpr size_t kBank1Buffer = 131072;

// Offsets of the fields of the record that this program writes.
namespace general {
inline constexpr size_t kSize = 2048;
inline constexpr size_t kIpAddress = 40;
inline constexpr size_t kSubnetMask = 44;
inline constexpr size_t kGateway = 48;
inline constexpr size_t kNameOfStation = 80;  // 16 bytes, at most 15 characters
inline constexpr size_t kNetworkFlags = 1256;
inline constexpr size_t kDeviceName = 1300;  // 32 bytes, at most 31 characters
inline constexpr size_t kSecondaryDns = 1340;
inline constexpr size_t kSlaveName = 1396;  // 16 bytes, at most 15 characters
inline constexpr size_t kPrimaryDns = 1420;
inline constexpr size_t kDeviceCount = 1560;
inline constexpr size_t kBank2Address = 1564;
inline constexpr size_t kVersion = 1644;  // 8 bytes
inline constexpr size_t kBank3Address = 1776;
inline constexpr size_t kChecksum = 2044;
}  // namespace general

// The record as the device reads it, little-endian; bytes no field names are reserved.
struct TGeneral_Param {
    std::array<uint8_t, general::kSize> bytes{};

    void set_u16(size_t offset, uint16_t v);
    void set_u32(size_t offset, uint32_t v);
    uint32_t u32(size_t offset) const;
    void set_octets(size_t offset, const std::array<uint8_t, 4>& octets);
    // A text field of `size` bytes: the text's bytes, then zero bytes.
    void set_text(size_t offset, size_t size, std::string_view bytes_of_text);
};

void Reset_General(TGeneral_Param& g);

// The bytes of an EEPROM configuration text: pieces of two characters from the
// left, each piece made only of hexadecimal digits giving one byte; others skipped.
std::vector<uint8_t> eeprom_config_bytes(std::string_view text);
// Stores them at the start of the bank 3 header. Throws zv::Error when they do
// not fit its 14 bytes.
void Parse_Eeprom_Config(std::string_view text, TEtherCAT_Slave_Config& c);

// Reads ParGen.xml into the record and the EtherCAT identity; a missing file
// leaves both as reset. Throws zv::Error for an ill-formed file or a value that
// does not fit its field.
void Read_ParGen(const std::filesystem::path& file, TGeneral_Param& g, TEtherCAT_Slave_Config& c);

// Stores the checksum, writes the 2048 bytes and returns the position after them.
size_t Serialize_Bank1(TGeneral_Param& g, std::string& buffer, size_t position, size_t highest_index);

}  // namespace zv
