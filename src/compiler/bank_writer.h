#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zv {

// Appends the fields of one bank image to its buffer and refuses, with an error
// for the user, any byte past the buffer's highest index: an image that does not
// fit the device's bank must never be written at all.
class BankWriter {
public:
    BankWriter(std::string& buffer, size_t position, size_t highest_index, std::string bank_name);

    void u8(uint8_t v);
    void u16(uint16_t v);  // little-endian
    void u32(uint32_t v);
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void u16_be(uint16_t v);
    void u32_be(uint32_t v);
    void bytes(std::string_view b);
    // Exactly n bytes: b, cut or padded with zero bytes.
    void field(std::string_view b, size_t n);
    void fill(uint8_t v, size_t n);

    size_t position() const { return pos_; }

private:
    void reserve(size_t n);

    std::string& buf_;
    size_t pos_;
    size_t capacity_;
    std::string name_;
};

}  // namespace zv
