#include "compiler/bank_writer.h"

#include "text/error.h"

namespace zv {

BankWriter::BankWriter(std::string& buffer, size_t position, size_t highest_index, std::string bank_name)
    : buf_(buffer), pos_(position), capacity_(highest_index + 1), name_(std::move(bank_name)) {}

void BankWriter::reserve(size_t n) {
    if (pos_ > capacity_ || n > capacity_ - pos_)
        throw Error("The image of " + name_ + " does not fit the device's bank of " + std::to_string(capacity_) +
                    " bytes; nothing was written.");
    if (buf_.size() < pos_ + n) buf_.resize(pos_ + n, '\0');
}

void BankWriter::u8(uint8_t v) {
    reserve(1);
    buf_[pos_++] = static_cast<char>(v);
}

void BankWriter::u16(uint16_t v) {
    u8(static_cast<uint8_t>(v));
    u8(static_cast<uint8_t>(v >> 8));
}

void BankWriter::u32(uint32_t v) {
    u16(static_cast<uint16_t>(v));
    u16(static_cast<uint16_t>(v >> 16));
}

void BankWriter::u16_be(uint16_t v) {
    u8(static_cast<uint8_t>(v >> 8));
    u8(static_cast<uint8_t>(v));
}

void BankWriter::u32_be(uint32_t v) {
    u16_be(static_cast<uint16_t>(v >> 16));
    u16_be(static_cast<uint16_t>(v));
}

void BankWriter::bytes(std::string_view b) {
    reserve(b.size());
    buf_.replace(pos_, b.size(), b);
    pos_ += b.size();
}

void BankWriter::field(std::string_view b, size_t n) {
    bytes(b.substr(0, n));
    if (b.size() < n) fill(0, n - b.size());
}

void BankWriter::fill(uint8_t v, size_t n) {
    reserve(n);
    buf_.replace(pos_, n, n, static_cast<char>(v));
    pos_ += n;
}

}  // namespace zv
