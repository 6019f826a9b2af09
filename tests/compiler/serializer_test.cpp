#include <gtest/gtest.h>

#include "compiler/bank2.h"
#include "compiler/bank3.h"
#include "compiler/bank_writer.h"
#include "compiler_fixture.h"
#include "text/error.h"

namespace {

using zvtest::Bytes;

// The serializer's addresses must point where the image really holds each part,
// whatever the builders put into the tables.
TEST(Bank2Serializer, EveryAddressPointsAtItsTargetInTheImage) {
    zv::ProfinetTables t;
    zv::Reset_PROFINET(t);
    auto& r = t.Rules[1];
    r.Pos_In_Arr = {{0, 1, 0, 0}, {0, 5, 1, 3}};
    r.Pos_Out_Arr = {{0, 2, 7, 1}};
    t.Records[1].Device_Data.push_back({3, 0, 1, 2, 0x100, "abc", 0});
    t.Records[1].Device_Data.push_back({2, 7, 0, 1, 5, "z", 0});  // short data is zero-filled to Len
    t.ESMB[0].Device_ESMB.push_back({4, 1, "ESMB", 0});
    t.IOCR[9].Device_IOCR.push_back({2, 1, 0x8000, 32, 1, 3, 3, 0xC000, 1, "in", 0});
    t.IOCR[9].Device_IOCR.push_back({3, 2, 0xFFFF, 32, 1, 3, 3, 0xC000, 1, "out", 0});
    zv::Assign_PROFINET_Addresses(t, zv::kBank2Base);

    std::string img;
    size_t size = zv::Serialize_Bank2(t, img, 0, zv::kBank2Buffer - 1);
    ASSERT_EQ(size, img.size());
    Bytes b;
    b.b = img;
    auto at = [&](uint32_t address) { return static_cast<size_t>(address - zv::kBank2Base); };

    EXPECT_EQ(b.get_u32(0), zv::kBank2Base + 16);
    EXPECT_EQ(b.get_u32(16 + 60 + 4), r.Pos_Add_In);
    EXPECT_EQ(b.get_u32(at(r.Pos_Add_In) + 16 + 4), 5u);           // second input rule's Quantity
    EXPECT_EQ(img.substr(at(r.Pos_Add_In) + 32, 16), std::string(16, '\xFF'));
    EXPECT_EQ(b.get_u32(at(r.Pos_Add_Out) + 8), 7u);
    EXPECT_EQ(img.substr(at(r.Pos_Add_Out) + 16, 16), std::string(16, '\xFF'));

    uint32_t records = b.get_u32(4);
    EXPECT_EQ(b.get_u32(at(records) + 4), t.Records[1].Address);
    EXPECT_EQ(b.get_u32(at(t.Records[1].Address)), t.Records[1].Device_Data[0].Address);
    EXPECT_EQ(b.get_u32(at(t.Records[1].Address) + 8), 0u);
    const auto& rec = t.Records[1].Device_Data[0];
    EXPECT_EQ(img.substr(at(rec.Address), 17), std::string("\x03\0\0\0\0\0\0\0\x01\0\x02\0\0\x01" "abc", 17));
    EXPECT_EQ(img.substr(at(t.Records[1].Device_Data[1].Address) + 14, 2), std::string("z\0", 2));

    uint32_t esmb = b.get_u32(8);
    EXPECT_EQ(b.get_u32(at(esmb)), t.ESMB[0].Address);
    EXPECT_EQ(img.substr(at(t.ESMB[0].Device_ESMB[0].Address), 8), std::string("\x04\0\x01\0ESMB", 8));

    uint32_t iocr = b.get_u32(12);
    EXPECT_EQ(b.get_u32(at(iocr) + 36), t.IOCR[9].Address);
    const auto& out = t.IOCR[9].Device_IOCR[1];
    EXPECT_EQ(b.get_u32(at(t.IOCR[9].Address) + 4), out.Address);
    EXPECT_EQ(img.substr(at(out.Address), 21),
              std::string("\x03\0\x02\0\xFF\xFF\x20\0\x01\0\x03\0\x03\0\x00\xC0\x01\0out", 21));
    EXPECT_EQ(at(out.Address) + 21, size);
}

TEST(Bank3Serializer, TextsThenInitialValuesInEntryOrder) {
    zv::EtherCATTables t;
    zv::Reset_EtherCAT(t);
    auto set = [](zv::TEtherCAT_Variable& v, const char* name, uint8_t len, std::string init) {
        v.Name = name;
        v.Name_Length = static_cast<uint32_t>(v.Name.size());
        v.Length = len;
        v.Init_Value = std::move(init);
        v.Init_Address = v.Init_Value.empty() ? 0 : 1;
    };
    set(t.Slave_To_Master[0], "Run", 1, "\x01");
    set(t.Slave_To_Master[1], "Speed", 2, "\x2C\x01");
    set(t.Slave_To_Master[2], "Tag", 4, "AB");
    set(t.Master_To_Slave[0], "Cmd", 1, "");
    t.Slave_To_Master_Groups = {"In"};
    std::string img;
    EXPECT_EQ(zv::Serialize_Bank3(t, img, 0, zv::kBank3Buffer - 1), 16585u);
    EXPECT_EQ(img.substr(16552, 5), std::string("\x01\0\0\0\0", 5));
    EXPECT_EQ(img.substr(16557), std::string("Run\0Speed\0Tag\0Cmd\0In\0\x01\x2C\x01" "AB\0\0", 28));
}

TEST(BankBuffers, AnImagePastItsBufferIsRefused) {
    std::string buf;
    zv::BankWriter w(buf, 0, 3, "bank9.bin");
    w.u32(0x01020304);
    EXPECT_EQ(buf, "\x04\x03\x02\x01");
    EXPECT_THROW(w.u8(0), zv::Error);
    EXPECT_EQ(w.position(), 4u);

    zv::EtherCATTables t;
    zv::Reset_EtherCAT(t);
    for (auto* table : {&t.Slave_To_Master, &t.Master_To_Slave})
        for (auto& v : *table) v.Name = std::string(255, 'n');
    std::string img;
    try {
        zv::Serialize_Bank3(t, img, 0, zv::kBank3Buffer - 1);
        FAIL();
    } catch (const zv::Error& e) {
        EXPECT_NE(std::string(e.what()).find("bank3.bin"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("131072"), std::string::npos);
    }
    EXPECT_LE(img.size(), zv::kBank3Buffer);

    zv::ProfinetTables p;
    zv::Reset_PROFINET(p);
    p.Records[0].Device_Data.push_back({300000, 0, 0, 0, 0, "", 0});
    zv::Assign_PROFINET_Addresses(p, zv::kBank2Base);
    img.clear();
    EXPECT_THROW(zv::Serialize_Bank2(p, img, 0, zv::kBank2Buffer - 1), zv::Error);
}

}  // namespace
