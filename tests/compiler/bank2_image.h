#pragma once
// A bank2.bin as plain structs, so a test compares what the device would find
// there with what it expects.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "compiler/bank_dump.h"

namespace zvtest {

struct Bank2Image {
    struct PosRule {
        int32_t start, quantity, offset, options;
        bool operator==(const PosRule&) const = default;
    };
    struct Rule {
        std::array<uint8_t, 4> ip{};
        uint32_t pos_add_in = 0, pos_add_out = 0;
        std::string name;  // the 32 bytes
        uint16_t len_in = 0, len_out = 0;
        uint32_t time_poll = 0, options = 0;
        uint16_t local_index = 0, spare = 0;
        std::vector<PosRule> in, out;
    };
    struct Record {
        uint32_t len, api;
        uint16_t slot, subslot, index;
        std::string data;
    };
    struct Esmb {
        uint16_t len, num_api;
        std::string data;
    };
    struct Iocr {
        uint16_t len, iocr, frame_id, send_clock, reduction, watchdog, data_hold, tag_header, num_api;
        std::string data;
    };

    std::array<uint32_t, 4> header{};
    std::array<Rule, 10> rules;
    std::array<std::vector<Record>, 10> records;
    std::array<std::vector<Esmb>, 10> esmb;
    std::array<std::vector<Iocr>, 10> iocr;
};

// The image through the core decoder, which follows every address from the
// header as the device does. An image with any problem (an address outside it,
// bytes no address leads to) throws, naming the problems.
inline Bank2Image read_bank2(const std::string& img) {
    const nlohmann::ordered_json j = zv::dump_bank(2, img);
    if (!j.at("problems").empty()) throw std::runtime_error("bank2.bin: " + j.at("problems").dump());
    auto val = [](const nlohmann::ordered_json& f) { return f.at("value").get<uint32_t>(); };
    auto u16 = [&](const nlohmann::ordered_json& f) { return static_cast<uint16_t>(val(f)); };
    auto at = [](const nlohmann::ordered_json& f) { return f.at("offset").get<size_t>(); };
    Bank2Image m;
    const char* header[] = {"Device_Rules", "Records", "Expected_Submodules", "IOCRs"};
    for (size_t k = 0; k < 4; ++k) m.header[k] = val(j.at("header").at(header[k]));
    for (size_t i = 0; i < 10; ++i) {
        const auto& d = j.at("devices").at(i);
        const auto& r = d.at("rule");
        auto& out = m.rules[i];
        for (size_t k = 0; k < 4; ++k) out.ip[k] = static_cast<uint8_t>(img.at(at(r.at("IP_Address")) + k));
        out.pos_add_in = val(r.at("Pos_Add_In"));
        out.pos_add_out = val(r.at("Pos_Add_Out"));
        out.name = img.substr(at(r.at("PROFINET_Device_Name")), 32);
        out.len_in = u16(r.at("PROFINET_Len_In"));
        out.len_out = u16(r.at("PROFINET_Len_Out"));
        out.time_poll = val(r.at("Time_Poll"));
        out.options = val(r.at("Options"));
        out.local_index = u16(r.at("LocalIndex"));
        out.spare = u16(r.at("spare"));
        for (auto [key, list] : {std::pair{"input_rules", &out.in}, std::pair{"output_rules", &out.out}})
            for (const auto& p : d.at(key))
                list->push_back({p.at("Start").at("value").get<int32_t>(), p.at("Quantity").at("value").get<int32_t>(),
                                 p.at("Offset").at("value").get<int32_t>(), p.at("Options").at("value").get<int32_t>()});
        for (const auto& e : d.at("records")) {
            const uint32_t len = val(e.at("Len"));
            m.records[i].push_back({len, val(e.at("API")), u16(e.at("Slot")), u16(e.at("Subslot")), u16(e.at("Index")),
                                    img.substr(at(e.at("Data")), len)});
        }
        for (const auto& e : d.at("expected_submodules")) {
            const uint16_t len = u16(e.at("Len"));
            m.esmb[i].push_back({len, u16(e.at("NumerofApi")), img.substr(at(e.at("Len")) + 4, len)});
        }
        for (const auto& e : d.at("iocrs")) {
            const uint16_t len = u16(e.at("Len"));
            m.iocr[i].push_back({len, u16(e.at("IOCR")), u16(e.at("FrameID")), u16(e.at("SendClockFactor")),
                                 u16(e.at("ReductionRate")), u16(e.at("WatchDogRatio")), u16(e.at("DataHoldFactor")),
                                 u16(e.at("IOCRTagHeader")), u16(e.at("Num_Api")), img.substr(at(e.at("Len")) + 18, len)});
        }
    }
    return m;
}

// Big-endian PROFINET content, written out field by field for comparisons.
struct Be {
    std::string b;
    Be& u8(uint8_t v) {
        b.push_back(static_cast<char>(v));
        return *this;
    }
    Be& u16(uint16_t v) { return u8(v >> 8).u8(v & 0xFF); }
    Be& u32(uint32_t v) { return u16(v >> 16).u16(v & 0xFFFF); }
    // Head of an expected-submodule API block.
    Be& esmb_head(uint32_t api, uint16_t slot, uint32_t ident, uint16_t nsub) {
        return u32(api).u16(slot).u32(ident).u16(0).u16(nsub);
    }
    Be& esmb_sub(uint16_t subslot, uint32_t ident, int len_in, int len_out) {
        u16(subslot).u32(ident).u16((len_in > 0 ? 1 : 0) + (len_out > 0 ? 2 : 0));
        if (len_in > 0 || (len_in == 0 && len_out == 0)) u16(1).u16(static_cast<uint16_t>(len_in)).u8(1).u8(1);
        if (len_out > 0) u16(2).u16(static_cast<uint16_t>(len_out)).u8(1).u8(1);
        return *this;
    }
    // slot, subslot, frame offset triples after their count.
    Be& defs(std::initializer_list<std::array<uint16_t, 3>> list) {
        u16(static_cast<uint16_t>(list.size()));
        for (const auto& d : list) u16(d[0]).u16(d[1]).u16(d[2]);
        return *this;
    }
};

}  // namespace zvtest
