#include <gtest/gtest.h>

#include <functional>

#include "common/test_support.h"
#include "params/par_gen_form.h"
#include "text/file_io.h"

namespace {

using zv::ParGenValues;

struct FormFixture {
    zv::StringTable t;
    zvtest::ScriptedPrompter p;
    zv::ParGenForm form{t, p};
    FormFixture() { t.Build_Table(); }
};

TEST(ParGenForm, ControlloDatiChecksInOrderAndStopsAtTheFirstFailure) {
    struct Row {
        const char* what;
        std::function<void(ParGenValues&)> edit;
        int entry;  // 0: passes
    };
    const std::vector<Row> rows = {
        {"defaults", [](ParGenValues&) {}, 0},
        {"DNS off: letters not checked", [](ParGenValues& v) { v.primary_dns[0] = "x"; v.secondary_dns[3] = ""; }, 0},
        {"DNS on: primary 1 letters", [](ParGenValues& v) { v.enable_dns = true; v.primary_dns[0] = "x"; }, 1937},
        {"DNS on: primary 4 is 256", [](ParGenValues& v) { v.enable_dns = true; v.primary_dns[3] = "256"; }, 1940},
        {"DNS on: primary 0 and 255 pass",
         [](ParGenValues& v) { v.enable_dns = true; v.primary_dns = {"0", "255", "000", "+1"}; }, 0},
        {"DNS on: secondary 1 empty", [](ParGenValues& v) { v.enable_dns = true; v.secondary_dns[0] = ""; }, 1941},
        {"DNS on: secondary 4 negative", [](ParGenValues& v) { v.enable_dns = true; v.secondary_dns[3] = "-1"; }, 1944},
        {"DNS before IP", [](ParGenValues& v) { v.enable_dns = true; v.secondary_dns[1] = "a"; v.ip[0] = "a"; }, 1942},
        {"IP 1 with a blank", [](ParGenValues& v) { v.ip[0] = " 1"; }, 444},
        {"IP 4 is 300", [](ParGenValues& v) { v.ip[3] = "300"; }, 447},
        {"IP checked under DHCP", [](ParGenValues& v) { v.dhcp_cable = true; v.ip[2] = "x"; }, 446},
        {"mask 1 empty", [](ParGenValues& v) { v.subnet_mask[0] = ""; }, 448},
        {"mask 4 under DHCP", [](ParGenValues& v) { v.dhcp_cable = true; v.subnet_mask[3] = "999"; }, 451},
        {"gateway off: not checked", [](ParGenValues& v) { v.gateway = {"x", "", "-1", "256"}; }, 0},
        {"gateway on: 1 letters", [](ParGenValues& v) { v.enable_gateway = true; v.gateway[0] = "x"; }, 452},
        {"gateway on: 4 is 256", [](ParGenValues& v) { v.enable_gateway = true; v.gateway[3] = "256"; }, 455},
        {"name of station empty", [](ParGenValues& v) { v.name_of_station = ""; }, 785},
        {"name of station plc-1.line2", [](ParGenValues& v) { v.name_of_station = "plc-1.line2"; }, 0},
        {"name of station plc_1", [](ParGenValues& v) { v.name_of_station = "plc_1"; }, 786},
        {"name of station upper case", [](ParGenValues& v) { v.name_of_station = "Plc"; }, 786},
        {"name of station blank", [](ParGenValues& v) { v.name_of_station = " "; }, 786},
        {"revision 4294967295", [](ParGenValues& v) { v.revision_number = "4294967295"; }, 0},
        {"revision 4294967296", [](ParGenValues& v) { v.revision_number = "4294967296"; }, 1876},
        {"revision empty", [](ParGenValues& v) { v.revision_number = ""; }, 1876},
        {"revision -1", [](ParGenValues& v) { v.revision_number = "-1"; }, 1876},
        {"slave name of three blanks", [](ParGenValues& v) { v.slave_name = "   "; }, 1877},
        {"slave name with blanks around", [](ParGenValues& v) { v.slave_name = " a "; }, 0},
        {"node address 0", [](ParGenValues& v) { v.node_address = "0"; }, 1878},
        {"node address 1", [](ParGenValues& v) { v.node_address = "1"; }, 0},
        {"node address 192", [](ParGenValues& v) { v.node_address = "192"; }, 0},
        {"node address 193", [](ParGenValues& v) { v.node_address = "193"; }, 1878},
        {"node address empty", [](ParGenValues& v) { v.node_address = ""; }, 1878},
        {"last check after all others", [](ParGenValues& v) { v.node_address = "0"; v.slave_name = ""; }, 1877},
    };
    for (const Row& r : rows) {
        FormFixture f;
        r.edit(f.form.values);
        EXPECT_EQ(f.form.Controllo_Dati(), r.entry == 0) << r.what;
        if (r.entry == 0) {
            EXPECT_TRUE(f.p.shown.empty()) << r.what;
        } else {
            ASSERT_EQ(f.p.shown.size(), 1u) << r.what;
            EXPECT_EQ(f.p.shown[0], (zvtest::ScriptedPrompter::Shown{"error", f.t[r.entry]})) << r.what;
        }
    }
}

TEST(ParGenForm, OkWritesOnlyAfterAPassingCheck) {
    zvtest::TempDir d;
    FormFixture f;
    f.form.load(d / "ParGen.xml");
    f.form.values.node_address = "0";
    EXPECT_FALSE(f.form.ok(d / "ParGen.xml"));
    EXPECT_FALSE(zv::file_exists(d / "ParGen.xml"));

    f.form.values.node_address = "5";
    f.form.values.enable_dns = false;
    f.form.values.primary_dns[0] = "abc";  // written as typed while DNS is off
    EXPECT_TRUE(f.form.ok(d / "ParGen.xml"));
    EXPECT_EQ(zvtest::slurp(d / "ParGen.xml"), zv::par_gen_xml(f.form.values));

    FormFixture g;
    g.form.load(d / "ParGen.xml");
    EXPECT_EQ(g.form.values, f.form.values);
}

TEST(ParGenForm, LoadClearsIsChangeAndResetsValuesNotInTheFile) {
    zvtest::TempDir d;
    FormFixture f;
    f.form.values.clear_data = true;
    f.form.Is_Change = true;
    f.form.load(d / "ParGen.xml");
    EXPECT_FALSE(f.form.values.clear_data);
    EXPECT_FALSE(f.form.Is_Change);
    EXPECT_EQ(f.form.values, ParGenValues{});
}

TEST(ParGenForm, CancelAsks469OnlyAfterAChange) {
    FormFixture f;
    EXPECT_TRUE(f.form.cancel());
    EXPECT_TRUE(f.p.shown.empty());

    f.form.Is_Change = true;
    f.p.answers = {false, true};
    EXPECT_FALSE(f.form.cancel());
    EXPECT_TRUE(f.form.cancel());
    ASSERT_EQ(f.p.shown.size(), 2u);
    EXPECT_EQ(f.p.shown[0], (zvtest::ScriptedPrompter::Shown{"confirm", f.t[469]}));
}

TEST(ParGenForm, DhcpOnTheCableTakesThePROFINETAddressOutOfTheUsersHands) {
    FormFixture f;
    EXPECT_TRUE(f.form.profinet_address_enabled());
    f.form.values.dhcp_cable = true;
    EXPECT_FALSE(f.form.profinet_address_enabled());
}

}  // namespace
