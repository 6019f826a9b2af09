#include "compiler/bank2.h"

#include "compiler/bank_writer.h"

namespace zv {

void Reset_PROFINET(ProfinetTables& t) { t = ProfinetTables{}; }

namespace {

constexpr uint32_t kHeaderBytes = 16;
constexpr uint32_t kRuleBytes = 60;
constexpr uint32_t kSectionListBytes = 4 * kProfinetDevices;

std::vector<TData_Prm_Description>& entry_list(TDevice_wr_Data& d) { return d.Device_Data; }
std::vector<TESMB_API_Description>& entry_list(TDevice_ESMB& d) { return d.Device_ESMB; }
std::vector<TIOCR_API_Description>& entry_list(TDevice_IOCR& d) { return d.Device_IOCR; }
const std::vector<TData_Prm_Description>& entry_list(const TDevice_wr_Data& d) { return d.Device_Data; }
const std::vector<TESMB_API_Description>& entry_list(const TDevice_ESMB& d) { return d.Device_ESMB; }
const std::vector<TIOCR_API_Description>& entry_list(const TDevice_IOCR& d) { return d.Device_IOCR; }

// Each section: ten list addresses, then per device its list (one address per
// entry and a closing 0) followed by the entries themselves.
template <class List, class Size>
void assign_section(uint32_t& f, List& lists, Size entry_size) {
    f += kSectionListBytes;
    for (auto& dev : lists) {
        dev.Address = f;
        auto& entries = entry_list(dev);
        f += 4 * static_cast<uint32_t>(entries.size() + 1);
        for (auto& e : entries) {
            e.Address = f;
            f += entry_size(e);
        }
    }
}

}  // namespace

void Assign_PROFINET_Addresses(ProfinetTables& t, uint32_t base) {
    t.Header[0] = base + kHeaderBytes;
    uint32_t f = base + kHeaderBytes + kRuleBytes * kProfinetDevices;
    for (auto& r : t.Rules) {
        r.Pos_Add_In = f;
        f += 16 * static_cast<uint32_t>(r.Pos_In_Arr.size() + 1);
        r.Pos_Add_Out = f;
        f += 16 * static_cast<uint32_t>(r.Pos_Out_Arr.size() + 1);
    }
    t.Header[1] = f;
    assign_section(f, t.Records, [](const TData_Prm_Description& e) { return 14 + e.Len; });
    t.Header[2] = f;
    assign_section(f, t.ESMB, [](const TESMB_API_Description& e) { return 4 + static_cast<uint32_t>(e.Data.size()); });
    t.Header[3] = f;
    assign_section(f, t.IOCR, [](const TIOCR_API_Description& e) { return 18 + static_cast<uint32_t>(e.Data.size()); });
}

namespace {

void write_rules(BankWriter& w, const std::vector<TPosition_Rule>& rules) {
    for (const auto& p : rules) {
        w.i32(p.Start);
        w.i32(p.Quantity);
        w.i32(p.Offset);
        w.i32(p.Options);
    }
    w.fill(0xFF, 16);
}

template <class List, class WriteEntry>
void write_section(BankWriter& w, const List& lists, WriteEntry write_entry) {
    for (const auto& dev : lists) w.u32(dev.Address);
    for (const auto& dev : lists) {
        const auto& entries = entry_list(dev);
        for (const auto& e : entries) w.u32(e.Address);
        w.u32(0);
        for (const auto& e : entries) write_entry(e);
    }
}

}  // namespace

size_t Serialize_Bank2(const ProfinetTables& t, std::string& buffer, size_t position, size_t highest_index) {
    BankWriter w(buffer, position, highest_index, "bank2.bin");
    for (uint32_t h : t.Header) w.u32(h);
    for (const auto& r : t.Rules) {
        for (uint8_t b : r.IP_Address) w.u8(b);
        w.u32(r.Pos_Add_In);
        w.u32(r.Pos_Add_Out);
        for (uint8_t b : r.PROFINET_Device_Name) w.u8(b);
        w.u16(r.PROFINET_Len_In);
        w.u16(r.PROFINET_Len_Out);
        w.u32(r.Time_Poll);
        w.u32(r.Options);
        w.u16(r.LocalIndex);
        w.u16(r.spare);
    }
    for (const auto& r : t.Rules) {
        write_rules(w, r.Pos_In_Arr);
        write_rules(w, r.Pos_Out_Arr);
    }
    write_section(w, t.Records, [&](const TData_Prm_Description& e) {
        w.u32(e.Len);
        w.u32(e.API);
        w.u16(e.Slot);
        w.u16(e.Subslot);
        w.u16(e.Index);
        w.field(e.Data, e.Len);
    });
    write_section(w, t.ESMB, [&](const TESMB_API_Description& e) {
        w.u16(e.Len);
        w.u16(e.NumerofApi);
        w.bytes(e.Data);
    });
    write_section(w, t.IOCR, [&](const TIOCR_API_Description& e) {
        for (uint16_t v : {e.Len, e.IOCR, e.FrameID, e.SendClockFactor, e.ReductionRate, e.WatchDogRatio,
                           e.DataHoldFactor, e.IOCRTagHeader, e.Num_Api})
            w.u16(v);
        w.bytes(e.Data);
    });
    return w.position();
}

}  // namespace zv
