#pragma once
// Bank 2: the PROFINET controller tables for ten IO devices, built for the
// device address 0x80000.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/shell_state.h"
#include "text/number_text.h"

namespace pugi {
class xml_node;
}

namespace zv {

inline constexpr uint32_t kBank2Base = 0x80000;
inline constexpr size_t kBank2Buffer = 262144;
inline constexpr size_t kProfinetDevices = 10;

struct TPosition_Rule {
    int32_t Start = 0;
    int32_t Quantity = 0;
    int32_t Offset = 0;
    int32_t Options = 0;  // bit 0: status byte, bit 1: word position
};

struct TPROFINET_Master_Rule {
    std::array<uint8_t, 4> IP_Address{};
    uint32_t Pos_Add_In = 0;
    std::vector<TPosition_Rule> Pos_In_Arr;
    uint32_t Pos_Add_Out = 0;
    std::vector<TPosition_Rule> Pos_Out_Arr;
    std::array<uint8_t, 32> PROFINET_Device_Name{};
    uint16_t PROFINET_Len_In = 0;
    uint16_t PROFINET_Len_Out = 0;
    uint32_t Time_Poll = 0;
    uint32_t Options = 0;
    uint16_t LocalIndex = 1;
    uint16_t spare = 0;
};

struct TData_Prm_Description {
    uint32_t Len = 0;
    uint32_t API = 0;
    uint16_t Slot = 0;
    uint16_t Subslot = 0;
    uint16_t Index = 0;
    std::string Data;  // Len bytes
    uint32_t Address = 0;
};
struct TDevice_wr_Data {
    std::vector<TData_Prm_Description> Device_Data;
    uint32_t Address = 0;
};

struct TESMB_API_Description {
    uint16_t Len = 0;
    uint16_t NumerofApi = 0;
    std::string Data;  // big-endian API blocks
    uint32_t Address = 0;
};
struct TDevice_ESMB {
    std::vector<TESMB_API_Description> Device_ESMB;
    uint32_t Address = 0;
};

struct TIOCR_API_Description {
    uint16_t Len = 0;
    uint16_t IOCR = 0;
    uint16_t FrameID = 0;
    uint16_t SendClockFactor = 0;
    uint16_t ReductionRate = 0;
    uint16_t WatchDogRatio = 0;
    uint16_t DataHoldFactor = 0;
    uint16_t IOCRTagHeader = 0;
    uint16_t Num_Api = 0;
    std::string Data;  // big-endian API lists
    uint32_t Address = 0;
};
struct TDevice_IOCR {
    std::vector<TIOCR_API_Description> Device_IOCR;
    uint32_t Address = 0;
};

struct ProfinetTables {
    std::array<TPROFINET_Master_Rule, kProfinetDevices> Rules;
    std::array<TDevice_wr_Data, kProfinetDevices> Records;
    std::array<TDevice_ESMB, kProfinetDevices> ESMB;
    std::array<TDevice_IOCR, kProfinetDevices> IOCR;
    // Device rule table, record section, expected-submodule section, IOCR section.
    std::array<uint32_t, 4> Header{};
};

void Reset_PROFINET(ProfinetTables& t);

// Fills the tables from PROFINET_Master_Network.xml and the project's GSDML
// copies for the load address `base`, assigns every address and returns the
// number of IO devices taken. Throws zv::Error, naming the device, slot,
// subslot and attribute, when the file cannot be compiled. (bank2_build.cpp)
int Build_PROFINET_Tables(ProfinetTables& t, uint32_t base, const ShellState& s);

// The same from the network file's bytes (`file_name` only names it in messages)
// and the folder that holds the GSDML copies.
int Build_PROFINET_Tables(ProfinetTables& t, uint32_t base, std::string_view network_xml,
                          const std::filesystem::path& gsdml_folder, const std::string& file_name);

// Encodes one parameter (a Param element) into its record's bytes. Nothing is
// ever written outside `Data`. `where` names the parameter in error messages.
void Encode_Param_Value(const pugi::xml_node& param, std::string& Data, const std::string& where);

// Gives every list and entry the device address it will have in the image, in
// the order Serialize_Bank2 writes them.
void Assign_PROFINET_Addresses(ProfinetTables& t, uint32_t base);

// Writes the image from `position` on and returns the position after its last
// byte. Throws zv::Error when it would pass `highest_index`.
size_t Serialize_Bank2(const ProfinetTables& t, std::string& buffer, size_t position, size_t highest_index);

}  // namespace zv
