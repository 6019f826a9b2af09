#include "compiler/bank3.h"

#include <algorithm>

#include "compiler/bank_writer.h"

namespace zv {

void Reset_EtherCAT(EtherCATTables& t) { t = EtherCATTables{}; }

namespace {

void write_entry(BankWriter& w, const TEtherCAT_Variable& v) {
    w.u8(v.Type_Code);
    w.u8(v.Length);
    w.u8(v.Direction);
    w.u8(v.Start_Bit);
    w.u32(v.Position);
    w.u32(v.Index);
    w.u32(v.Reserved);
    w.i32(v.Group_Index);
    w.u32(v.Init_Address);
    w.u32(v.Name_Length);
    w.u32(v.Name_Address);
}

// Write_Bank_String: the UTF-8 bytes and a zero byte; an empty text writes nothing.
void write_bank_string(BankWriter& w, std::string_view text) {
    if (text.empty()) return;
    w.bytes(text);
    w.u8(0);
}

size_t group_count(const std::vector<std::string>& groups) { return std::min(groups.size(), kEtherCATGroups); }

}  // namespace

size_t Serialize_Bank3(const EtherCATTables& t, std::string& buffer, size_t position, size_t highest_index) {
    BankWriter w(buffer, position, highest_index, "bank3.bin");
    const TEtherCAT_Slave_Config& c = t.Config;
    for (uint8_t b : c.Eeprom_Config) w.u8(b);
    w.u16(c.Node_Address);
    w.u8(c.Clear_Data);
    w.fill(0, 3);
    w.u32(c.Group_Table_Address);
    w.u32(c.Revision_Number);
    w.u16(c.Num_Slave_To_Master);
    w.u16(c.Num_Master_To_Slave);
    w.u32(c.Slave_To_Master_Address);
    w.u32(c.Master_To_Slave_Address);

    for (const auto& v : t.Slave_To_Master) write_entry(w, v);
    for (const auto& v : t.Master_To_Slave) write_entry(w, v);
    for (uint32_t a : t.Slave_To_Master_Group_Address) w.u32(a);
    for (uint32_t a : t.Master_To_Slave_Group_Address) w.u32(a);
    w.u8(static_cast<uint8_t>(group_count(t.Slave_To_Master_Groups)));
    w.u8(static_cast<uint8_t>(group_count(t.Master_To_Slave_Groups)));
    w.fill(0, 2);
    w.u8(0);  // the empty text

    for (const auto& v : t.Slave_To_Master) write_bank_string(w, v.Name);
    for (const auto& v : t.Master_To_Slave) write_bank_string(w, v.Name);
    for (size_t i = 0; i < group_count(t.Slave_To_Master_Groups); ++i)
        write_bank_string(w, t.Slave_To_Master_Groups[i]);
    for (size_t i = 0; i < group_count(t.Master_To_Slave_Groups); ++i)
        write_bank_string(w, t.Master_To_Slave_Groups[i]);

    for (const auto& v : t.Slave_To_Master)
        if (v.Init_Address != 0) w.field(v.Init_Value, v.Length);
    return w.position();
}

}  // namespace zv
