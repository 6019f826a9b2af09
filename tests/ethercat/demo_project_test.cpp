#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "common/test_support.h"
#include "ethercat/esi.h"
#include "ethercat/group_form.h"
#include "ethercat/slave_form.h"

namespace {

const std::filesystem::path kDemo = ZV_SOURCE_DIR "/demo/PROJECTS/Demo";

// The demo project is what the dialogs write: it loads, passes their checks and
// saves back byte for byte, and its ESI file is well-formed.
TEST(DemoProject, EtherCATFilesAreWhatTheDialogsWrite) {
    zv::StringTable t;
    t.Build_Table();
    zvtest::ScriptedPrompter p;
    zv::CopyRowBuffer buf;
    zvtest::TempDir out;

    zv::EtherCATGroupForm g(t, p, buf);
    g.FormShow(kDemo / "EtherCAT_Slave_Group.xml");
    ASSERT_TRUE(g.Btn_OK(out / "groups.xml"));
    EXPECT_EQ(zvtest::slurp(out / "groups.xml"), zvtest::slurp(kDemo / "EtherCAT_Slave_Group.xml"));

    zv::EtherCATSlaveForm f(t, p, buf);
    f.FormShow(kDemo / "EtherCAT_Slave.xml", kDemo / "EtherCAT_Slave_Group.xml");
    ASSERT_TRUE(f.Btn_OK(out / "vars.xml"));
    EXPECT_EQ(zvtest::slurp(out / "vars.xml"), zvtest::slurp(kDemo / "EtherCAT_Slave.xml"));
    EXPECT_TRUE(p.shown.empty());
    EXPECT_GT(zv::variable_list_end(f.ASG_SlaveMaster, zv::kStoMColumns), 1);
    EXPECT_GT(zv::variable_list_end(f.ASG_MasterSlave, zv::kMtoSColumns), 1);

    const std::string esi = zv::esi_text(zv::Read_ESI_Data(kDemo / "ParGen.xml", kDemo / "EtherCAT_Slave.xml"));
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(esi.c_str()));
}

}  // namespace
