// A hand-edited network file reaches the bank 2 builder: it may refuse the file
// with an error, but it must never crash, and the image it gives must fit the
// bank and keep every address inside itself.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "compiler/bank2.h"
#include "text/error.h"
#include "text/file_io.h"

namespace {

// The device description the network files of the corpus refer to as G.xml.
const char* const kGsdml = R"GSDML(<?xml version="1.0" encoding="utf-8"?>
<ISO15745Profile xmlns="http://www.profibus.com/GSDML/2003/11/DeviceProfile">
  <ProfileHeader>
    <ProfileIdentification>PROFINET Device Profile</ProfileIdentification>
  </ProfileHeader>
  <ProfileBody>
    <DeviceIdentity VendorID="0x00AA" DeviceID="0x0002"/>
    <DeviceFunction>
      <Family MainFamily="I/O" ProductFamily="Bank test"/>
    </DeviceFunction>
    <ApplicationProcess>
      <DeviceAccessPointList>
        <!-- the usual access point: one virtual submodule in API 0 and the interface -->
        <DeviceAccessPointItem ID="DAP1" ModuleIdentNumber="0x10" FixedInSlots="0" ObjectUUID_LocalIndex="3">
          <ModuleInfo CategoryRef="CAT_IO">
            <Name TextId="T_DAP1"/>
            <InfoText TextId="T_DAP1"/>
          </ModuleInfo>
          <IOConfigData MaxInputLength="64" MaxOutputLength="64"/>
          <VirtualSubmoduleList>
            <VirtualSubmoduleItem ID="DAP1_SUB" SubmoduleIdentNumber="0x1"><IOData/></VirtualSubmoduleItem>
          </VirtualSubmoduleList>
          <SystemDefinedSubmoduleList>
            <InterfaceSubmoduleItem ID="IF" SubslotNumber="32768" TextId="T_IF" SubmoduleIdentNumber="0x8000"/>
          </SystemDefinedSubmoduleList>
        </DeviceAccessPointItem>
        <!-- an access point in two profile APIs besides API 0 -->
        <DeviceAccessPointItem ID="DAP2" ModuleIdentNumber="0x11" FixedInSlots="0">
          <ModuleInfo>
            <Name TextId="T_DAP2"/>
            <InfoText TextId="T_DAP2"/>
          </ModuleInfo>
          <IOConfigData/>
          <VirtualSubmoduleList>
            <VirtualSubmoduleItem ID="DAP2_A" API="0x3A00"><IOData/></VirtualSubmoduleItem>
            <VirtualSubmoduleItem ID="DAP2_B" API="0x3A00"><IOData/></VirtualSubmoduleItem>
            <VirtualSubmoduleItem ID="DAP2_C" API="5"><IOData/></VirtualSubmoduleItem>
          </VirtualSubmoduleList>
          <SystemDefinedSubmoduleList>
            <InterfaceSubmoduleItem ID="IF2" SubslotNumber="32768" TextId="T_IF" SubmoduleIdentNumber="0x8000"/>
          </SystemDefinedSubmoduleList>
        </DeviceAccessPointItem>
        <!-- an access point without any submodule: it is in no API -->
        <DeviceAccessPointItem ID="DAP3" ModuleIdentNumber="0x12" FixedInSlots="0">
          <ModuleInfo>
            <Name TextId="T_DAP3"/>
            <InfoText TextId="T_DAP3"/>
          </ModuleInfo>
          <IOConfigData/>
        </DeviceAccessPointItem>
      </DeviceAccessPointList>
      <ModuleList>
        <ModuleItem ID="M_IN4" ModuleIdentNumber="0x20">
          <ModuleInfo><Name TextId="T_M"/><InfoText TextId="T_M"/></ModuleInfo>
          <VirtualSubmoduleList>
            <VirtualSubmoduleItem ID="VS_IN4" SubmoduleIdentNumber="0x21"><IOData/></VirtualSubmoduleItem>
          </VirtualSubmoduleList>
        </ModuleItem>
        <!-- a module whose submodules come from the submodule list -->
        <ModuleItem ID="M_FREE" ModuleIdentNumber="0x30">
          <ModuleInfo><Name TextId="T_M"/><InfoText TextId="T_M"/></ModuleInfo>
        </ModuleItem>
      </ModuleList>
      <SubmoduleList>
        <SubmoduleItem ID="S_API7" SubmoduleIdentNumber="0x31" API="7"><IOData/></SubmoduleItem>
        <PortSubmoduleItem ID="S_PORT" SubmoduleIdentNumber="0x8001" SubslotNumber="32769" TextId="T_P"/>
      </SubmoduleList>
      <ExternalTextList>
        <PrimaryLanguage>
          <Text TextId="T_DAP1" Value="Test device"/>
          <Text TextId="T_DAP2" Value="Profile device"/>
          <Text TextId="T_DAP3" Value="Bare device"/>
          <Text TextId="CAT_IO" Value="I/O"/>
          <Text TextId="T_M" Value="Module"/>
        </PrimaryLanguage>
      </ExternalTextList>
    </ApplicationProcess>
  </ProfileBody>
</ISO15745Profile>
)GSDML";

void check(bool ok) {
    if (!ok) std::abort();
}

uint32_t u32(const std::string& b, size_t off) {
    check(off + 4 <= b.size());
    return static_cast<uint8_t>(b[off]) | static_cast<uint8_t>(b[off + 1]) << 8 | static_cast<uint8_t>(b[off + 2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[off + 3])) << 24;
}

// Every list a header word leads to ends at a 0 word inside the image, and each
// entry address lies inside it too.
void check_section(const std::string& img, uint32_t section) {
    check(section >= zv::kBank2Base);
    size_t lists = section - zv::kBank2Base;
    for (size_t i = 0; i < zv::kProfinetDevices; ++i) {
        uint32_t list = u32(img, lists + 4 * i);
        check(list >= zv::kBank2Base);
        for (size_t p = list - zv::kBank2Base;; p += 4) {
            uint32_t a = u32(img, p);
            if (a == 0) break;
            check(a >= zv::kBank2Base && a - zv::kBank2Base < img.size());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / ("zv-fuzz-bank2-" + std::to_string(getpid()));
        std::filesystem::create_directories(f);
        zv::write_file_atomic(f / "G.xml", kGsdml);
        return f;
    }();
    zv::ProfinetTables t;
    zv::Reset_PROFINET(t);
    try {
        zv::Build_PROFINET_Tables(t, zv::kBank2Base, std::string_view(reinterpret_cast<const char*>(data), size), folder,
                                  "PROFINET_Master_Network.xml");
    } catch (const zv::Error&) {
        return 0;
    }
    std::string img;
    size_t end = 0;
    try {
        end = zv::Serialize_Bank2(t, img, 0, zv::kBank2Buffer - 1);
    } catch (const zv::Error&) {
        std::abort();  // the builder lets no image past the buffer through
    }
    check(end == img.size() && end <= zv::kBank2Buffer && end >= 1176);
    check(u32(img, 0) == zv::kBank2Base + 16);
    for (size_t k = 1; k < 4; ++k) check_section(img, u32(img, 4 * k));
    for (size_t i = 0; i < zv::kProfinetDevices; ++i) {
        const auto& r = t.Rules[i];
        check(r.Pos_Add_In - zv::kBank2Base + 16 * (r.Pos_In_Arr.size() + 1) <= img.size());
        check(r.Pos_Add_Out - zv::kBank2Base + 16 * (r.Pos_Out_Arr.size() + 1) <= img.size());
        for (const auto& rec : t.Records[i].Device_Data) check(rec.Data.size() == rec.Len);
    }
    return 0;
}
