#pragma once
// Reads a bank2.bin the way the device does: from the header words, following
// every address, so a test checks what the device would find there.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace zvtest {

inline constexpr uint32_t kBank2Load = 0x80000;

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
    size_t end = 0;  // one past the furthest byte any address led to
};

class Bank2Reader {
public:
    explicit Bank2Reader(const std::string& img) : b_(img) {}

    uint8_t u8(size_t off) {
        if (off >= b_.size()) throw std::out_of_range("read past the image at " + std::to_string(off));
        if (off + 1 > end_) end_ = off + 1;
        return static_cast<uint8_t>(b_[off]);
    }
    uint16_t u16(size_t off) { return static_cast<uint16_t>(u8(off) | u8(off + 1) << 8); }
    uint32_t u32(size_t off) { return u16(off) | static_cast<uint32_t>(u16(off + 2)) << 16; }
    std::string bytes(size_t off, size_t n) {
        if (n) u8(off + n - 1);
        return b_.substr(off, n);
    }
    size_t at(uint32_t address) {
        if (address < kBank2Load) throw std::out_of_range("address below the load address");
        return address - kBank2Load;
    }
    // The words of a zero-terminated address list.
    std::vector<uint32_t> list(uint32_t address) {
        std::vector<uint32_t> out;
        for (size_t p = at(address);; p += 4) {
            uint32_t a = u32(p);
            if (a == 0) return out;
            out.push_back(a);
        }
    }

    Bank2Image read() {
        Bank2Image m;
        for (size_t k = 0; k < 4; ++k) m.header[k] = u32(4 * k);
        for (size_t i = 0; i < 10; ++i) {
            size_t p = at(m.header[0]) + 60 * i;
            auto& r = m.rules[i];
            for (size_t k = 0; k < 4; ++k) r.ip[k] = u8(p + k);
            r.pos_add_in = u32(p + 4);
            r.pos_add_out = u32(p + 8);
            r.name = bytes(p + 12, 32);
            r.len_in = u16(p + 44);
            r.len_out = u16(p + 46);
            r.time_poll = u32(p + 48);
            r.options = u32(p + 52);
            r.local_index = u16(p + 56);
            r.spare = u16(p + 58);
            r.in = pos_rules(r.pos_add_in);
            r.out = pos_rules(r.pos_add_out);
        }
        for (size_t i = 0; i < 10; ++i) {
            for (uint32_t a : list(u32(at(m.header[1]) + 4 * i))) {
                size_t p = at(a);
                Bank2Image::Record rec{u32(p), u32(p + 4), u16(p + 8), u16(p + 10), u16(p + 12), {}};
                rec.data = bytes(p + 14, rec.len);
                m.records[i].push_back(rec);
            }
            for (uint32_t a : list(u32(at(m.header[2]) + 4 * i))) {
                size_t p = at(a);
                Bank2Image::Esmb e{u16(p), u16(p + 2), {}};
                e.data = bytes(p + 4, e.len);
                m.esmb[i].push_back(e);
            }
            for (uint32_t a : list(u32(at(m.header[3]) + 4 * i))) {
                size_t p = at(a);
                Bank2Image::Iocr e{u16(p),      u16(p + 2),  u16(p + 4),  u16(p + 6),  u16(p + 8),
                                   u16(p + 10), u16(p + 12), u16(p + 14), u16(p + 16), {}};
                e.data = bytes(p + 18, e.len);
                m.iocr[i].push_back(e);
            }
        }
        m.end = end_;
        return m;
    }

private:
    // Rules up to the closing block of sixteen 0xFF bytes.
    std::vector<Bank2Image::PosRule> pos_rules(uint32_t address) {
        std::vector<Bank2Image::PosRule> out;
        for (size_t p = at(address);; p += 16) {
            if (bytes(p, 16) == std::string(16, '\xFF')) return out;
            out.push_back({static_cast<int32_t>(u32(p)), static_cast<int32_t>(u32(p + 4)),
                           static_cast<int32_t>(u32(p + 8)), static_cast<int32_t>(u32(p + 12))});
        }
    }

    const std::string& b_;
    size_t end_ = 0;
};

inline Bank2Image read_bank2(const std::string& img) { return Bank2Reader(img).read(); }

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
