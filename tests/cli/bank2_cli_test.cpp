// A network built with the CLI as a user builds it in the dialogs, compiled, and
// bank2.bin read back the way the device reads it.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "common/test_support.h"
#include "compiler/bank2_image.h"

namespace fs = std::filesystem;
using zvtest::run_program;

namespace {

const std::string kCli = ZV_BIN_DIR "/zevirovave-cli";
const fs::path kCatalog = fs::path(ZV_SOURCE_DIR) / "demo" / "PROFINET_Catalog";

void cli(std::vector<std::string> args) {
    args.insert(args.begin(), kCli);
    auto r = run_program(args);
    ASSERT_EQ(r.code, 0) << args[1] << " " << args[2] << ": " << r.err;
}

using Node = pugi::xml_node;

std::vector<Node> elements(Node parent) {
    std::vector<Node> out;
    for (Node c : parent.children())
        if (c.type() == pugi::node_element) out.push_back(c);
    return out;
}

int num(Node n, const char* name) { return static_cast<int>(std::stoll(n.attribute(name).value())); }

Node slot_at(Node dev, size_t k) { return elements(dev.child("Slots")).at(k); }

uint16_t be16(const std::string& b, size_t off) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b.at(off)) << 8 | static_cast<uint8_t>(b.at(off + 1)));
}
uint32_t be32(const std::string& b, size_t off) { return static_cast<uint32_t>(be16(b, off)) << 16 | be16(b, off + 2); }

}  // namespace

TEST(CliBank2, TwoDemoDevicesCompileAsTheNetworkDescribesThem) {
    zvtest::TempDir d;
    const fs::path project = d / "Plant";
    fs::create_directories(project / "bin");
    cli({"network", "add", project.string(), (kCatalog / "GSDML-V2.34-Kestrel-KD4-20240915.xml").string(),
         "--name-of-station", "kd4-axis1", "--ip", "10.0.0.21"});
    cli({"network", "add", project.string(), (kCatalog / "GSDML-V2.35-Norvale-NX200-20250301.xml").string(),
         "--name-of-station", "nx200-line1", "--ip", "10.0.0.22"});
    // Plug two more modules into the head station, then set parameters of both
    // devices, as the modules dialog does.
    const std::string p = project.string();
    cli({"network", "plug", p, "nx200-line1", "3", "MOD_DI16"});
    cli({"network", "plug", p, "nx200-line1", "4", "MOD_DO16"});
    cli({"network", "set", p, "kd4-axis1", "1", "1", "Ramp time (ms)", "250"});           // Unsigned16 at 0
    cli({"network", "set", p, "kd4-axis1", "1", "1", "Rated speed (1/min)", "1500"});     // Unsigned16 at 2
    cli({"network", "set", p, "nx200-line1", "2", "1", "Range channel 0", "3"});          // Unsigned8 at 0
    cli({"network", "set", p, "nx200-line1", "3", "1", "Filter inputs 0..3", "1"});       // BitArea, 2 bits at 0
    cli({"compile", project.string()});

    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file((project / "PROFINET_Master_Network.xml").c_str()));
    std::vector<Node> devs = elements(doc.child("PROFINET_Master_Network").child("Network"));
    ASSERT_EQ(devs.size(), 2u);
    ASSERT_EQ(std::string(slot_at(devs[1], 4).attribute("Module_ID").value()), "MOD_DO16");

    const std::string bank1 = zvtest::slurp(project / "bin" / "bank1.bin");
    EXPECT_EQ(static_cast<uint8_t>(bank1.at(1560)), 2);  // device count
    const std::string img = zvtest::slurp(project / "bin" / "bank2.bin");
    zvtest::Bank2Image m = zvtest::read_bank2(img);  // throws for bytes no address leads to

    int64_t in_offset = 0, out_offset = 0;
    for (size_t i = 0; i < 10; ++i) {
        const auto& rule = m.rules[i];
        if (i >= devs.size()) {
            EXPECT_EQ(rule.in.size() + m.esmb[i].size() + m.iocr[i].size() + m.records[i].size(), 0u);
            continue;
        }
        Node dev = devs[i];
        SCOPED_TRACE("device " + std::to_string(i));
        std::string name = dev.attribute("NameOfStation").value();
        EXPECT_EQ(rule.name, name + std::string(32 - name.size(), '\0'));
        EXPECT_EQ(rule.ip[3], i == 0 ? 21 : 22);
        EXPECT_EQ(rule.time_poll, static_cast<uint32_t>(num(dev, "ReductionRadio") * 65536 + num(dev, "SendClock")));
        EXPECT_EQ(rule.local_index, num(dev, "ObjectUUID_LocalIndex"));

        // Position rules and expected submodules from the plugged slots.
        size_t rule_n = 0, esmb_n = 0;
        for (Node slot : elements(dev.child("Slots"))) {
            if (std::string(slot.attribute("Module_ID").value()).empty()) continue;
            std::vector<Node> active;
            for (Node sub : elements(slot.child("Subslots")))
                if (!std::string(sub.attribute("Submodule_ID").value()).empty() &&
                    std::string(sub.attribute("ParameterizationDisallowed").value()) != "true")
                    active.push_back(sub);
            for (Node sub : active) {
                int len_in = num(sub, "Submodule_LenIN"), len_out = num(sub, "Submodule_LenOUT");
                int q_in = 1, q_out = 1;
                if (len_in || len_out) {
                    q_in = (len_in ? len_in + 1 : 0) + (len_out ? 1 : 0);
                    q_out = (len_in ? 1 : 0) + (len_out ? len_out + 1 : 0);
                }
                int flags = (std::string(sub.attribute("Status").value()) == "Y" ? 1 : 0) +
                            (std::string(sub.attribute("Word_Pos").value()) == "Y" ? 2 : 0);
                ASSERT_LT(rule_n, rule.in.size());
                EXPECT_EQ(rule.in[rule_n], (zvtest::Bank2Image::PosRule{0, q_in, static_cast<int32_t>(in_offset), flags}));
                EXPECT_EQ(rule.out[rule_n], (zvtest::Bank2Image::PosRule{0, q_out, static_cast<int32_t>(out_offset), flags}));
                in_offset += q_in;
                out_offset += q_out;
                ++rule_n;
            }
            ASSERT_LT(esmb_n, m.esmb[i].size());
            const std::string& e = m.esmb[i][esmb_n++].data;
            EXPECT_EQ(be16(e, 4), num(slot, "SlotNumber"));
            EXPECT_EQ(be32(e, 6), std::stoul(slot.attribute("ModuleIdentNumber").value()));
            EXPECT_EQ(be16(e, 12), active.size());
            EXPECT_EQ(be16(e, 14), num(active.at(0), "SubslotNumber"));
        }
        EXPECT_EQ(rule.in.size(), rule_n);
        EXPECT_EQ(m.esmb[i].size(), esmb_n);
        ASSERT_EQ(m.iocr[i].size(), 2u);
        EXPECT_EQ(m.iocr[i][0].frame_id, 0x8000);
        EXPECT_EQ(m.iocr[i][1].send_clock, num(dev, "SendClock"));

        // One record per parameter group, in file order.
        size_t rec_n = 0;
        for (Node slot : elements(dev.child("Slots")))
            for (Node sub : elements(slot.child("Subslots")))
                for (Node g : elements(sub.child("Parameters"))) {
                    ASSERT_LT(rec_n, m.records[i].size());
                    const auto& r = m.records[i][rec_n++];
                    EXPECT_EQ(r.index, num(g, "Index"));
                    EXPECT_EQ(r.len, static_cast<uint32_t>(num(g, "Length")));
                    EXPECT_EQ(r.slot, num(slot, "SlotNumber"));
                    EXPECT_EQ(r.subslot, num(sub, "SubslotNumber"));
                }
        EXPECT_EQ(m.records[i].size(), rec_n);
    }

    // The parameters set above, in their records.
    auto record = [&](size_t dev, uint16_t slot, uint16_t index) -> std::string {
        for (const auto& r : m.records[dev])
            if (r.slot == slot && r.index == index) return r.data;
        ADD_FAILURE() << "no record " << index << " in slot " << slot;
        return std::string(8, '\0');
    };
    std::string tel = record(0, 1, 0xB02E);
    EXPECT_EQ(be16(tel, 0), 250);
    EXPECT_EQ(be16(tel, 2), 1500);
    EXPECT_EQ(static_cast<uint8_t>(tel.at(5)), 1);  // default value
    EXPECT_EQ(static_cast<uint8_t>(record(1, 2, 128).at(0)), 3);
    std::string di = record(1, 3, 128);
    EXPECT_EQ(static_cast<uint8_t>(di.at(0)) & 3, 1);
    EXPECT_EQ(static_cast<uint8_t>(di.at(1)) & 3, 3);
    // The servo's telegram lives in its profile API: two APIs in its IOCRs.
    EXPECT_EQ(m.iocr[0][0].num_api, 2);
    EXPECT_EQ(be32(m.esmb[0].at(1).data, 0), 0x3A00u);
}
