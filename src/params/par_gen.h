#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace zv {

inline constexpr const char* kParGenVersionComment = "SW_VERSION = 1.006";
inline constexpr const char* kDefaultNameOfStation = "devicename1";
inline constexpr const char* kDefaultEepromConfig = "800F00CC8813ff00000000800000";

// The device's own communication settings as the editor shows them: every value
// as the text of its control, flags as check boxes. The member initialisers are
// the editor's defaults.
struct ParGenValues {
    std::string device_name;
    bool dhcp_cable = false;
    bool dhcp_wifi = false;
    bool enable_dns = false;
    std::array<std::string, 4> primary_dns{"8", "8", "8", "8"};
    std::array<std::string, 4> secondary_dns{"8", "8", "4", "4"};
    std::array<std::string, 4> ip{"192", "168", "0", "10"};
    std::array<std::string, 4> subnet_mask{"255", "255", "255", "0"};
    std::array<std::string, 4> gateway{"192", "168", "0", "1"};
    bool enable_gateway = false;
    std::string name_of_station = kDefaultNameOfStation;
    std::string revision_number = "0";
    std::string slave_name = kDefaultNameOfStation;
    std::string node_address = "1";
    bool clear_data = false;

    bool operator==(const ParGenValues&) const = default;
};

// Element names of the four bytes of each address.
inline constexpr const char* kPrimaryDnsElements[4] = {"Eth_Conn_Primary_DNS1", "Eth_Conn_Primary_DNS2",
                                                       "Eth_Conn_Primary_DNS3", "Eth_Conn_Primary_DNS4"};
inline constexpr const char* kSecondaryDnsElements[4] = {"Eth_Conn_Secondary_DNS1", "Eth_Conn_Secondary_DNS2",
                                                         "Eth_Conn_Secondary_DNS3", "Eth_Conn_Secondary_DNS4"};
inline constexpr const char* kIpElements[4] = {"PROFINET_Master_IP1", "PROFINET_Master_IP2", "PROFINET_Master_IP3",
                                               "PROFINET_Master_IP4"};
inline constexpr const char* kSubnetMaskElements[4] = {"PROFINET_Master_SM1", "PROFINET_Master_SM2",
                                                       "PROFINET_Master_SM3", "PROFINET_Master_SM4"};
inline constexpr const char* kGatewayElements[4] = {"PROFINET_Master_GAT1", "PROFINET_Master_GAT2",
                                                    "PROFINET_Master_GAT3", "PROFINET_Master_GAT4"};

// Calls f(element_name, member) for the 30 written elements in file order; the
// member is a std::string for texts and integers and a bool for flags.
template <class Values, class F>
void visit_par_gen(Values& v, F&& f) {
    f("Eth_Conn_Device_Name", v.device_name);
    f("Eth_Conn_DHCP_Cable", v.dhcp_cable);
    f("Eth_Conn_DHCP_WiFi", v.dhcp_wifi);
    f("Eth_Conn_Enable_DNS", v.enable_dns);
    for (int i = 0; i < 4; ++i) f(kPrimaryDnsElements[i], v.primary_dns[i]);
    for (int i = 0; i < 4; ++i) f(kSecondaryDnsElements[i], v.secondary_dns[i]);
    for (int i = 0; i < 4; ++i) f(kIpElements[i], v.ip[i]);
    for (int i = 0; i < 4; ++i) f(kSubnetMaskElements[i], v.subnet_mask[i]);
    for (int i = 0; i < 4; ++i) f(kGatewayElements[i], v.gateway[i]);
    f("PROFINET_Master_EN_GAT", v.enable_gateway);
    f("PROFINET_Master_NAME_STA", v.name_of_station);
    f("EtherCAT_Slave_Revision_Number", v.revision_number);
    f("EtherCAT_Slave_Name", v.slave_name);
    f("EtherCAT_Slave_Node_Address", v.node_address);
    f("EtherCAT_Slave_Clear_Data", v.clear_data);
}

// ParGen.xml as every reader sees it: the document's first top-level node is
// the parameter element whatever its name (a leading comment therefore hides
// every value), and each value is the first child element of that name.
class ParGenFile {
public:
    // Throws zv::Error when the file cannot be read or is not well-formed.
    explicit ParGenFile(const std::filesystem::path& file);
    ParGenFile(std::string_view bytes, const std::string& what);

    std::optional<std::string> text(const char* element) const;
    // On exactly when the text is "1".
    bool flag(const char* element) const;
    // Signed 32-bit decimal; nothing when missing or not such an integer.
    std::optional<int32_t> int32(const char* element) const;
    // Unsigned 32-bit decimal; nothing when missing or not such an integer.
    std::optional<uint32_t> uint32(const char* element) const;

private:
    pugi::xml_document doc_;
    pugi::xml_node root_;
};

// The editor's reading: a missing file or element gives the default of that value.
ParGenValues read_par_gen_for_editor(const std::filesystem::path& file);

// The whole file as the editor writes it: Par_Gen with the 30 elements, then the
// version comment at document level.
std::string par_gen_xml(const ParGenValues& v);
// Replaces the file atomically. Throws zv::Error.
void write_par_gen(const std::filesystem::path& file, const ParGenValues& v);

}  // namespace zv
