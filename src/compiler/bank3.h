#pragma once
// Bank 3: the EtherCAT slave tables, built for the device address 0xA0000.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/shell_state.h"

namespace zv {

inline constexpr uint32_t kBank3Base = 0xA0000;
inline constexpr size_t kBank3Buffer = 131072;

inline constexpr size_t kEtherCATVariables = 256;  // entries per direction
inline constexpr size_t kEtherCATGroups = 16;      // named groups per direction

// Offsets inside bank3.bin.
inline constexpr uint32_t kBank3SlaveToMasterTable = 40;
inline constexpr uint32_t kBank3MasterToSlaveTable = 8232;
inline constexpr uint32_t kBank3GroupTables = 16424;
inline constexpr uint32_t kBank3EmptyText = 16556;  // the one zero byte every empty name points at
inline constexpr uint32_t kBank3TextArea = 16557;

// The 40-byte header. The identity (EEPROM bytes, node address, clear-data flag,
// revision number) comes from ParGen.xml; the rest from the table builder.
struct TEtherCAT_Slave_Config {
    std::array<uint8_t, 14> Eeprom_Config{};
    uint16_t Node_Address = 0;
    uint8_t Clear_Data = 0;
    uint32_t Group_Table_Address = 0;
    uint32_t Revision_Number = 0;
    uint16_t Num_Slave_To_Master = 0;
    uint16_t Num_Master_To_Slave = 0;
    uint32_t Slave_To_Master_Address = 0;
    uint32_t Master_To_Slave_Address = 0;
};

// One 32-byte table entry, plus what the text and initial-value areas hold for it.
struct TEtherCAT_Variable {
    uint8_t Type_Code = 0;
    uint8_t Length = 0;
    uint8_t Direction = 0;
    uint8_t Start_Bit = 0;
    uint32_t Position = 0;
    uint32_t Index = 0;
    uint32_t Reserved = 0;
    int32_t Group_Index = -1;
    uint32_t Init_Address = 0;  // 0: no initial value
    uint32_t Name_Length = 0;   // UTF-8 bytes without the zero byte
    uint32_t Name_Address = 0;
    std::string Name;        // UTF-8, written to the text area when not empty
    std::string Init_Value;  // encoded bytes; Length of them are written
};

struct EtherCATTables {
    TEtherCAT_Slave_Config Config;
    std::array<TEtherCAT_Variable, kEtherCATVariables> Slave_To_Master;
    std::array<TEtherCAT_Variable, kEtherCATVariables> Master_To_Slave;
    // Group names (UTF-8) in group order and their device addresses; at most 16 each.
    std::vector<std::string> Slave_To_Master_Groups;
    std::vector<std::string> Master_To_Slave_Groups;
    std::array<uint32_t, kEtherCATGroups> Slave_To_Master_Group_Address{};
    std::array<uint32_t, kEtherCATGroups> Master_To_Slave_Group_Address{};
};

// Header zero, every entry empty (group index -1), no groups.
void Reset_EtherCAT(EtherCATTables& t);

// Fills the tables from EtherCAT_Slave.xml and EtherCAT_Slave_Group.xml for the
// load address `base`; the identity already read from ParGen.xml is kept.
// (bank3_build.cpp)
void Build_EtherCAT_Tables(EtherCATTables& t, uint32_t base, const ShellState& s);

// Writes the image from `position` on and returns the position after its last
// byte. Throws zv::Error when it would pass `highest_index`.
size_t Serialize_Bank3(const EtherCATTables& t, std::string& buffer, size_t position, size_t highest_index);

}  // namespace zv
