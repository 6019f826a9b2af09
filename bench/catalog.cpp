// Catalog load against the XML parse alone.
//
// Generates a catalog folder the size of a real one (many small files, a few of
// several MB with eight languages, hundreds of modules, parameter records and
// value lists; a third of the files in ISO-8859-1), then times:
//   parse        pugixml parsing every file's bytes, already in memory, no model
//   parse+visit  the same, then every element and attribute visited once
//                (the least any model read from the document can cost)
//   read+parse   the parse, reading each file first
//   load         the whole catalog load (list, read, decode, file), one thread
//   load/2       the same with two decoding threads
// and the load's cost per MB for the small and the large files apart, which is
// flat when the cost grows linearly with the bytes.
//
//   bench_catalog [--small N] [--large N] [--modules N] [--runs N] [--keep DIR] [--only load|parse]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "gsdml/catalog_loader.h"
#include "text/encoding.h"
#include "text/file_io.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const char* kLanguages[] = {"de", "fr", "it", "es", "pt", "sv", "nl"};

std::string text_value(int lang, int id) {
    static const char* words[] = {"Eingang", "sortie", "Überwachung", "parámetro", "função", "värde", "uitgang",
                                  "channel", "Störung", "délai", "modalità", "Größe"};
    std::string v = words[(id + lang) % 12];
    v += " ";
    v += std::to_string(id);
    v += " - ";
    v += words[(id * 7 + lang) % 12];
    return v;
}

// One device description with `modules` modules; `latin1` writes it in ISO-8859-1.
std::string make_gsdml(int file_no, int modules, bool latin1) {
    std::string s;
    s.reserve(static_cast<size_t>(modules) * 9000 + 20000);
    s += latin1 ? "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n" : "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    s += "<ISO15745Profile xmlns=\"http://www.profibus.com/GSDML/2003/11/DeviceProfile\" "
         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n";
    s += "  <ProfileHeader><ProfileIdentification>PROFINET Device Profile</ProfileIdentification>"
         "<ProfileRevision>1.00</ProfileRevision><ProfileName>Device Profile for PROFINET Devices</ProfileName>"
         "<ProfileSource>PROFIBUS Nutzerorganisation e. V. (PNO)</ProfileSource><ProfileClassID>Device</ProfileClassID>"
         "<ISO15745Reference><ISO15745Part>4</ISO15745Part><ISO15745Edition>1</ISO15745Edition>"
         "<ProfileTechnology>GSDML</ProfileTechnology></ISO15745Reference></ProfileHeader>\n";
    s += "  <ProfileBody>\n    <DeviceIdentity VendorID=\"0x" + std::to_string(100 + file_no % 40) + "\" DeviceID=\"0x" +
         std::to_string(file_no) + "\"><InfoText TextId=\"T_Info\"/><VendorName Value=\"Vendor " +
         std::to_string(file_no % 40) + "\"/></DeviceIdentity>\n";
    s += "    <DeviceFunction><Family MainFamily=\"" + std::string(file_no % 3 ? "I/O" : "Drives") +
         "\" ProductFamily=\"Family " + std::to_string(file_no % 7) + "\"/></DeviceFunction>\n";
    s += "    <ApplicationProcess>\n      <DeviceAccessPointList>\n";
    int texts = 0;
    for (int d = 0; d < 4; ++d) {
        std::string id = std::to_string(d);
        s += "        <DeviceAccessPointItem ID=\"DAP" + id +
             "\" PNIO_Version=\"V2.35\" PhysicalSlots=\"0..64\" ModuleIdentNumber=\"0x0000010" + id +
             "\" MinDeviceInterval=\"32\" DNS_CompatibleName=\"dev-" + id +
             "\" FixedInSlots=\"0\" ObjectUUID_LocalIndex=\"1\" MultipleWriteSupported=\"true\" "
             "CheckDeviceID_Allowed=\"true\" LLDP_NoD_Supported=\"true\" ResetToFactoryModes=\"1..2\">\n";
        s += "          <ModuleInfo CategoryRef=\"CAT" + std::to_string(d % 2) + "\"><Name TextId=\"T_DAP" + id +
             "\"/><InfoText TextId=\"T_DAPI" + id + "\"/><OrderNumber Value=\"ORD-" + id + "\"/></ModuleInfo>\n";
        s += "          <CertificationInfo ConformanceClass=\"B\" ApplicationClass=\"\" NetloadClass=\"III\"/>\n";
        s += "          <SubslotList><SubslotItem SubslotNumber=\"32768\" TextId=\"T_IF\"/><SubslotItem "
             "SubslotNumber=\"32769\" TextId=\"T_P1\"/><SubslotItem SubslotNumber=\"32770\" TextId=\"T_P2\"/></SubslotList>\n";
        s += "          <IOConfigData MaxInputLength=\"1440\" MaxOutputLength=\"1440\"/>\n          <UseableModules>\n";
        for (int m = 0; m < modules; ++m)
            s += "            <ModuleItemRef ModuleItemTarget=\"M" + std::to_string(m) + "\" AllowedInSlots=\"1..64\"/>\n";
        s += "          </UseableModules>\n";
        s += "          <VirtualSubmoduleList><VirtualSubmoduleItem ID=\"VS" + id +
             "\" SubmoduleIdentNumber=\"0x1\"><IOData/><ModuleInfo><Name TextId=\"T_DAP" + id +
             "\"/><InfoText TextId=\"T_DAPI" + id + "\"/></ModuleInfo></VirtualSubmoduleItem></VirtualSubmoduleList>\n";
        s += "          <SystemDefinedSubmoduleList><InterfaceSubmoduleItem ID=\"IF\" SubmoduleIdentNumber=\"0x8000\" "
             "SubslotNumber=\"32768\" TextId=\"T_IF\" SupportedRT_Classes=\"RT_CLASS_1\"><ApplicationRelations "
             "StartupMode=\"Advanced\"><TimingProperties SendClock=\"8 16 32 64 128\" ReductionRatio=\"1 2 4 8 16 32 "
             "64 128 256 512\"/></ApplicationRelations></InterfaceSubmoduleItem>";
        for (int p = 1; p <= 2; ++p)
            s += "<PortSubmoduleItem ID=\"P" + std::to_string(p) + "\" SubmoduleIdentNumber=\"0x800" + std::to_string(p) +
                 "\" SubslotNumber=\"3276" + std::to_string(8 + p) + "\" TextId=\"T_P" + std::to_string(p) +
                 "\" MaxPortRxDelay=\"350\" MaxPortTxDelay=\"160\"><MAUTypeList><MAUTypeItem Value=\"16\"/>"
                 "</MAUTypeList></PortSubmoduleItem>";
        s += "</SystemDefinedSubmoduleList>\n        </DeviceAccessPointItem>\n";
    }
    s += "      </DeviceAccessPointList>\n      <ModuleList>\n";
    for (int m = 0; m < modules; ++m) {
        std::string id = std::to_string(m);
        s += "        <ModuleItem ID=\"M" + id + "\" ModuleIdentNumber=\"0x" + std::to_string(1000 + m) + "\">\n";
        s += "          <ModuleInfo CategoryRef=\"CAT" + std::to_string(m % 5) + "\"><Name TextId=\"T_M" + id +
             "\"/><InfoText TextId=\"T_MI" + id + "\"/><OrderNumber Value=\"ORD-M" + id + "\"/></ModuleInfo>\n";
        s += "          <VirtualSubmoduleList><VirtualSubmoduleItem ID=\"S" + id + "\" SubmoduleIdentNumber=\"0x" +
             std::to_string(2000 + m) + "\" MayIssueProcessAlarm=\"true\">\n";
        s += "            <IOData><Input Consistency=\"Item consistency\">";
        for (int k = 0; k < 4; ++k) s += "<DataItem DataType=\"Unsigned16\" TextId=\"T_D" + id + "\"/>";
        s += "</Input><Output Consistency=\"Item consistency\"><DataItem DataType=\"Unsigned32\" TextId=\"T_D" + id +
             "\"/></Output></IOData>\n            <RecordDataList>\n";
        for (int r = 0; r < 2; ++r) {
            s += "              <ParameterRecordDataItem Index=\"" + std::to_string(128 + r) +
                 "\" Length=\"8\"><Name TextId=\"T_R" + id + "\"/><Const ByteOffset=\"0\" "
                 "Data=\"0x01,0x02,0x03,0x04,0x05,0x06,0x07,0x08\"/>\n";
            for (int f = 0; f < 6; ++f)
                s += "                <Ref ValueItemTarget=\"V" + std::to_string((m + f) % 40) + "\" ByteOffset=\"" +
                     std::to_string(f) + "\" BitOffset=\"0\" BitLength=\"4\" DataType=\"BitArea\" DefaultValue=\"1\" "
                     "AllowedValues=\"0..15\" TextId=\"T_F" + id + "\" Changeable=\"true\" Visible=\"true\"/>\n";
            s += "              </ParameterRecordDataItem>\n";
        }
        s += "            </RecordDataList>\n          </VirtualSubmoduleItem></VirtualSubmoduleList>\n        </ModuleItem>\n";
    }
    s += "      </ModuleList>\n      <ValueList>\n";
    for (int v = 0; v < 40; ++v) {
        s += "        <ValueItem ID=\"V" + std::to_string(v) + "\"><Help TextId=\"T_V\"/><Assignments>";
        for (int a = 0; a < 16; ++a)
            s += "<Assign Content=\"" + std::to_string(a) + "\" TextId=\"T_A" + std::to_string(a) + "\"/>";
        s += "</Assignments></ValueItem>\n";
    }
    s += "      </ValueList>\n      <ChannelDiagList>\n";
    for (int e = 1; e < 30; ++e)
        s += "        <ChannelDiagItem ErrorType=\"" + std::to_string(e) + "\"><Name TextId=\"T_E" +
             std::to_string(e) + "\"/><Help TextId=\"T_EH" + std::to_string(e) + "\"/></ChannelDiagItem>\n";
    s += "      </ChannelDiagList>\n      <CategoryList>";
    for (int c = 0; c < 5; ++c)
        s += "<CategoryItem ID=\"CAT" + std::to_string(c) + "\" TextId=\"T_C" + std::to_string(c) + "\"/>";
    s += "</CategoryList>\n      <ExternalTextList>\n";
    // Every module has six texts; the rest are a fixed set.
    texts = modules * 6 + 100;
    auto section = [&](int lang) {
        for (int t = 0; t < texts; ++t) {
            int m = t / 6;
            static const char* kinds[] = {"T_M", "T_MI", "T_D", "T_R", "T_F", "T_X"};
            std::string id = t < modules * 6 ? kinds[t % 6] + std::to_string(m) : "T_A" + std::to_string(t - modules * 6);
            s += "          <Text TextId=\"" + id + "\" Value=\"" + text_value(lang, t) + "\"/>\n";
        }
    };
    s += "        <PrimaryLanguage>\n";
    section(0);
    s += "        </PrimaryLanguage>\n";
    for (int l = 0; l < 7; ++l) {
        s += "        <Language xml:lang=\"" + std::string(kLanguages[l]) + "\">\n";
        section(l + 1);
        s += "        </Language>\n";
    }
    s += "      </ExternalTextList>\n    </ApplicationProcess>\n  </ProfileBody>\n</ISO15745Profile>\n";
    return latin1 ? zv::utf8_to_cp1252(s) : s;
}

// Wall time and the process's processor time, best of `runs`. On a busy
// machine the processor time of a one-thread run is the steadier figure.
struct Timing {
    double wall = 1e300, cpu = 1e300;
};

double cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

Timing best_ms(int runs, const std::function<void()>& f) {
    Timing best;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        double c0 = cpu_ms();
        f();
        best.cpu = std::min(best.cpu, cpu_ms() - c0);
        best.wall = std::min(best.wall, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    return best;
}

struct Folder {
    fs::path dir;
    std::vector<std::string> bytes;  // of each file, as on disk
    double mb = 0;
};

Folder make_folder(const fs::path& dir, int first, int count, int modules) {
    Folder f{dir, {}, 0};
    fs::create_directories(dir);
    for (int i = 0; i < count; ++i) {
        int n = first + i;
        std::string b = make_gsdml(n, modules, n % 3 == 0);
        char name[64];
        std::snprintf(name, sizeof name, "GSDML-V2.35-Vendor%02d-Dev%04d-20250101.xml", n % 40, n);
        zv::write_file_atomic(dir / name, b);
        f.mb += static_cast<double>(b.size()) / (1024.0 * 1024.0);
        f.bytes.push_back(std::move(b));
    }
    return f;
}

// Every attribute and element of a parsed document visited once, nothing kept:
// the least any model read from the document costs on top of the parse.
size_t visit(pugi::xml_node n) {
    size_t seen = 0;
    for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute())
        seen += static_cast<unsigned char>(a.name()[0]) + static_cast<unsigned char>(a.value()[0]);
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) seen += visit(c);
    return seen;
}

double parse_all(const std::vector<std::string>& files, bool and_visit = false) {
    size_t seen = 0;
    for (const std::string& b : files) {
        pugi::xml_document doc;
        doc.load_buffer(b.data(), b.size(), pugi::parse_default);
        seen += and_visit ? visit(doc) : (doc.first_child() ? 1 : 0);
    }
    return static_cast<double>(seen);
}

void read_and_parse(const fs::path& dir) {
    for (const fs::path& p : zv::list_catalog_files(dir)) {
        std::string b = zv::read_file(p);
        pugi::xml_document doc;
        doc.load_buffer(b.data(), b.size(), pugi::parse_default);
    }
}

// Freeing a catalog is not part of loading it: the catalogs are kept until the
// timing is over.
std::vector<std::unique_ptr<zv::TPROFINET_Catalog>> g_loaded;

int load(const fs::path& dir, unsigned threads) {
    auto& cat = g_loaded.emplace_back(std::make_unique<zv::TPROFINET_Catalog>());
    return zv::Load_Catalog(dir, *cat, threads).decoded;
}

Timing best_load_ms(int runs, const fs::path& dir, unsigned threads) {
    Timing ms = best_ms(runs, [&] { load(dir, threads); });
    g_loaded.clear();
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    int small = 200, large = 8, modules = 400, runs = 3;
    std::string only;  // "load" or "parse": just that, `runs` times, for a profiler
    fs::path keep;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--small")) small = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--large")) large = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--modules")) modules = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--keep")) keep = argv[i + 1];
        else if (!std::strcmp(argv[i], "--runs")) runs = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--only")) only = argv[i + 1];
    }
    const fs::path root = keep.empty() ? fs::temp_directory_path() / "zv-bench-catalog" : keep;
    fs::remove_all(root);
    std::printf("generating %d small files and %d large files of %d modules ...\n", small, large, modules);
    Folder s = make_folder(root / "small", 0, small, 12);
    Folder l = make_folder(root / "large", small, large, modules);
    Folder all{root / "all", {}, 0};
    fs::create_directories(all.dir);
    for (const Folder* f : {&s, &l}) {
        for (const fs::path& p : zv::list_catalog_files(f->dir)) fs::copy_file(p, all.dir / p.filename());
        all.bytes.insert(all.bytes.end(), f->bytes.begin(), f->bytes.end());
        all.mb += f->mb;
    }
    std::printf("catalog: %zu files, %.1f MB (small files %.1f MB, large files %.1f MB, largest %.1f MB)\n",
                all.bytes.size(), all.mb, s.mb, l.mb,
                static_cast<double>(l.bytes.empty() ? 0 : l.bytes[0].size()) / (1024.0 * 1024.0));

    if (!only.empty()) {
        Timing t = only == "parse" ? best_ms(runs, [&] { parse_all(all.bytes); }) : best_load_ms(runs, all.dir, 1);
        std::printf("%s: wall %.1f ms, cpu %.1f ms\n", only.c_str(), t.wall, t.cpu);
        if (keep.empty()) fs::remove_all(root);
        return 0;
    }
    int decoded = load(all.dir, 1);
    g_loaded.clear();
    // Taken in turns, so that a busy moment of the machine does not favour one.
    Timing parse, parse_visit, read_parse, load1, load2;
    auto keep_best = [](Timing& best, Timing t) {
        best.wall = std::min(best.wall, t.wall);
        best.cpu = std::min(best.cpu, t.cpu);
    };
    for (int r = 0; r < runs; ++r) {
        keep_best(parse, best_ms(1, [&] { parse_all(all.bytes); }));
        keep_best(parse_visit, best_ms(1, [&] { parse_all(all.bytes, true); }));
        keep_best(read_parse, best_ms(1, [&] { read_and_parse(all.dir); }));
        keep_best(load1, best_load_ms(1, all.dir, 1));
        keep_best(load2, best_load_ms(1, all.dir, 2));
    }
    std::printf("decoded %d of %zu\n", decoded, all.bytes.size());
    std::printf("                 wall ms  cpu ms   MB/s (wall)\n");
    auto row = [&](const char* what, Timing t) {
        std::printf("%-14s %9.1f %7.1f %6.1f", what, t.wall, t.cpu, all.mb / t.wall * 1000);
    };
    row("parse", parse);
    std::printf("\n");
    row("parse+visit", parse_visit);
    std::printf("  = %.2f x parse\n", parse_visit.wall / parse.wall);
    row("read+parse", read_parse);
    std::printf("\n");
    row("load", load1);
    std::printf("  = %.2f x parse (cpu %.2f x), %.2f x read+parse\n", load1.wall / parse.wall, load1.cpu / parse.cpu,
                load1.wall / read_parse.wall);
    row("load/2", load2);
    std::printf("  = %.2f x parse (wall)\n", load2.wall / parse.wall);

    Timing ls = best_load_ms(runs, s.dir, 1), ll = best_load_ms(runs, l.dir, 1);
    Timing ps = best_ms(runs, [&] { parse_all(s.bytes); }), pl = best_ms(runs, [&] { parse_all(l.bytes); });
    std::printf("cpu ms per MB: small files load %.2f (parse %.2f), large files load %.2f (parse %.2f)\n",
                ls.cpu / s.mb, ps.cpu / s.mb, ll.cpu / l.mb, pl.cpu / l.mb);
    if (keep.empty()) fs::remove_all(root);
    return 0;
}
