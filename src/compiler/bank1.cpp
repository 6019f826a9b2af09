#include "compiler/bank1.h"

#include <cstring>
#include <optional>

#include "compiler/bank_writer.h"
#include "params/par_gen.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/file_io.h"

namespace zv {
namespace fs = std::filesystem;

void TGeneral_Param::set_u16(size_t offset, uint16_t v) {
    bytes[offset] = static_cast<uint8_t>(v);
    bytes[offset + 1] = static_cast<uint8_t>(v >> 8);
}

void TGeneral_Param::set_u32(size_t offset, uint32_t v) {
    set_u16(offset, static_cast<uint16_t>(v));
    set_u16(offset + 2, static_cast<uint16_t>(v >> 16));
}

uint32_t TGeneral_Param::u32(size_t offset) const {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

void TGeneral_Param::set_octets(size_t offset, const std::array<uint8_t, 4>& octets) {
    std::memcpy(&bytes[offset], octets.data(), 4);
}

void TGeneral_Param::set_text(size_t offset, size_t size, std::string_view text) {
    std::memset(&bytes[offset], 0, size);
    std::memcpy(&bytes[offset], text.data(), std::min(size, text.size()));
}

void Reset_General(TGeneral_Param& g) {
    g.bytes.fill(0);
    g.set_u32(0, 125000);
    g.set_u32(4, 125000);
    g.set_u32(12, 9600);
    g.set_octets(general::kIpAddress, {192, 168, 2, 205});
    g.set_octets(general::kSubnetMask, {255, 255, 255, 0});
    g.set_octets(general::kGateway, {255, 255, 255, 255});
    g.set_u16(52, 5000);
    g.set_u16(54, 10001);
    g.set_u16(56, 10001);
}

namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::vector<uint8_t> eeprom_config_bytes(std::string_view text) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < text.size(); i += 2) {
        std::string_view piece = text.substr(i, 2);
        int value = 0;
        bool ok = true;
        for (char c : piece) {
            int d = hex_digit(c);
            if (d < 0) ok = false;
            value = value * 16 + (d < 0 ? 0 : d);
        }
        if (ok) out.push_back(static_cast<uint8_t>(value));
    }
    return out;
}

void Parse_Eeprom_Config(std::string_view text, TEtherCAT_Slave_Config& c) {
    std::vector<uint8_t> b = eeprom_config_bytes(text);
    if (b.size() > c.Eeprom_Config.size())
        throw Error("ParGen.xml: EtherCAT_Slave_Eeprom_Config holds " + std::to_string(b.size()) +
                    " bytes; at most 14 bytes (28 hexadecimal digits) fit the device.");
    c.Eeprom_Config.fill(0);
    std::copy(b.begin(), b.end(), c.Eeprom_Config.begin());
}

namespace {

// A text field that must not be cut: a shorter name would be another identity.
std::string fitting_text(const ParGenFile& f, const char* element, const char* fallback, size_t max_chars) {
    std::string bytes = to_code_unit_bytes(f.text(element).value_or(fallback));
    if (bytes.size() > max_chars)
        throw Error(std::string("ParGen.xml: ") + element + " has " + std::to_string(bytes.size()) +
                    " characters; at most " + std::to_string(max_chars) + " fit the device.");
    return bytes;
}

std::array<uint8_t, 4> octets(const ParGenFile& f, const char* const names[4], const std::array<uint8_t, 4>& def) {
    std::array<uint8_t, 4> o{};
    for (int i = 0; i < 4; ++i) o[i] = static_cast<uint8_t>(f.int32(names[i]).value_or(def[i]) & 0xFF);
    return o;
}

}  // namespace

void Read_ParGen(const fs::path& file, TGeneral_Param& g, TEtherCAT_Slave_Config& c) {
    if (!file_exists(file)) return;
    ParGenFile f(file);

    g.set_text(general::kVersion, 8, "1.006");
    // The host name is the one text the device takes cut to its field.
    g.set_text(general::kDeviceName, 32, to_code_unit_bytes(f.text("Eth_Conn_Device_Name").value_or("")).substr(0, 31));
    g.set_u16(general::kNetworkFlags, f.flag("Eth_Conn_DHCP_Cable") ? 1 : 0);
    if (f.flag("Eth_Conn_Enable_DNS")) {
        g.set_octets(general::kPrimaryDns, octets(f, kPrimaryDnsElements, {8, 8, 8, 8}));
        g.set_octets(general::kSecondaryDns, octets(f, kSecondaryDnsElements, {8, 8, 4, 4}));
    }
    g.set_octets(general::kIpAddress, octets(f, kIpElements, {192, 168, 0, 10}));
    g.set_octets(general::kSubnetMask, octets(f, kSubnetMaskElements, {255, 255, 255, 0}));
    std::array<uint8_t, 4> gateway = octets(f, kGatewayElements, {192, 168, 0, 1});
    if (!f.flag("PROFINET_Master_EN_GAT")) gateway = {255, 255, 255, 255};
    g.set_octets(general::kGateway, gateway);
    g.set_text(general::kNameOfStation, 16, fitting_text(f, "PROFINET_Master_NAME_STA", kDefaultNameOfStation, 15));

    Parse_Eeprom_Config(f.text("EtherCAT_Slave_Eeprom_Config").value_or(kDefaultEepromConfig), c);
    c.Revision_Number = f.uint32("EtherCAT_Slave_Revision_Number").value_or(0);
    g.set_text(general::kSlaveName, 16, fitting_text(f, "EtherCAT_Slave_Name", kDefaultNameOfStation, 15));
    c.Node_Address = static_cast<uint16_t>(f.int32("EtherCAT_Slave_Node_Address").value_or(1));
    c.Clear_Data = f.flag("EtherCAT_Slave_Clear_Data") ? 1 : 0;
}

size_t Serialize_Bank1(TGeneral_Param& g, std::string& buffer, size_t position, size_t highest_index) {
    uint32_t sum = 0;
    for (size_t i = 0; i < general::kChecksum; ++i) sum += g.bytes[i];
    g.set_u32(general::kChecksum, sum);
    BankWriter w(buffer, position, highest_index, "bank1.bin");
    w.bytes(std::string_view(reinterpret_cast<const char*>(g.bytes.data()), g.bytes.size()));
    return w.position();
}

}  // namespace zv
