// Filing decoded files, the loader's choice of files, the tree the dialog shows,
// the selection by click and Add Device.
#include <gtest/gtest.h>

#include <unistd.h>

#include <condition_variable>
#include <mutex>

#include "gsdml/catalog_form.h"
#include "gsdml/catalog_loader.h"
#include "gsdml/gsdml_test_support.h"
#include "text/error.h"

using namespace zv;
namespace fs = std::filesystem;
using gsdtest::replaced;

namespace {

const std::string kMinimal = gsdtest::fixture_text("GSDML-minimal.xml");

// A file of the given families whose access points are given as
// (name, CategoryRef, SubCategory1Ref) triples.
std::string device_file(const std::string& main, const std::string& vendor, const std::string& product,
                        const std::vector<std::array<std::string, 3>>& aps) {
    std::string t = replaced(kMinimal, "MainFamily=\"I/O\" ProductFamily=\"Small\"",
                             "MainFamily=\"" + main + "\" ProductFamily=\"" + product + "\"");
    t = replaced(t, "<VendorName Value=\"Vendor A\"/>", "<VendorName Value=\"" + vendor + "\"/>");
    std::string list, texts;
    int n = 0;
    for (const auto& [name, cat, sub] : aps) {
        std::string id = "T_AP" + std::to_string(n++);
        list += "<DeviceAccessPointItem ID=\"" + id + "\"><ModuleInfo";
        if (!cat.empty()) list += " CategoryRef=\"" + cat + "\"";
        if (!sub.empty()) list += " SubCategory1Ref=\"" + sub + "\"";
        list += "><Name TextId=\"" + id + "\"/><InfoText TextId=\"" + id + "\"/></ModuleInfo><IOConfigData/>"
                "</DeviceAccessPointItem>";
        texts += "<Text TextId=\"" + id + "\" Value=\"" + name + "\"/>";
    }
    size_t b = t.find("<DeviceAccessPointItem "), e = t.find("</DeviceAccessPointList>");
    t.replace(b, e - b, list);
    t = replaced(t, "</PrimaryLanguage>", texts + "<Text TextId=\"CAT_T\" Value=\"Texted category\"/></PrimaryLanguage>");
    return t;
}

std::unique_ptr<TGSDML> decoded(const zvtest::TempDir& dir, const std::string& name, const std::string& bytes) {
    zvtest::spit(dir / name, bytes);
    auto g = std::make_unique<TGSDML>();
    EXPECT_TRUE(decode_gsdml_file(*g, dir / name)) << name << ": " << g->Decode_Failure;
    return g;
}

std::string tree_of(TPROFINET_Catalog& cat, const fs::path& folder = {}) {
    ProfinetCatalogForm form(cat, folder);
    form.FormShow();
    return form.tree.to_text();
}

}  // namespace

TEST(Catalog, InsertFilesInOrderAndRefusesTheSameNameAtTheSamePlace) {
    zvtest::TempDir dir;
    TPROFINET_Catalog cat;
    auto a = decoded(dir, "GSDML-a.xml", device_file("I/O", "V1", "P1", {{"A", "", ""}}));
    auto b = decoded(dir, "GSDML-b.xml", device_file("I/O", "V1", "P1", {{"B", "", ""}}));
    auto c = decoded(dir, "GSDML-c.xml", device_file("Drives", "V2", "P2", {{"C", "", ""}}));
    auto a_again = decoded(dir, "GSDML-a.xml", device_file("I/O", "V1", "P1", {{"A2", "", ""}}));
    auto a_elsewhere = decoded(dir, "GSDML-a.xml", device_file("I/O", "V1", "P3", {{"A3", "", ""}}));
    EXPECT_EQ(cat.Insert_in_Catalog(a), 1);
    EXPECT_EQ(cat.Insert_in_Catalog(b), 1);
    EXPECT_EQ(cat.Insert_in_Catalog(c), 1);
    EXPECT_EQ(cat.Insert_in_Catalog(a_again), 0);
    EXPECT_TRUE(a_again) << "a refused model is not taken over";
    EXPECT_EQ(cat.Insert_in_Catalog(a_elsewhere), 1) << "same name, other product family";
    EXPECT_FALSE(a);

    ASSERT_EQ(cat.MainFamily_list.size(), 2u);
    TCat_MainFamily* io = cat.SearchMainFamily("I/O");
    ASSERT_EQ(io, cat.MainFamily_list[0].get());
    EXPECT_EQ(cat.SearchMainFamily("i/o"), nullptr);
    TCat_ProductFamily* p1 = io->SearchVendor("V1")->SearchProductFamily("P1");
    ASSERT_TRUE(p1);
    ASSERT_EQ(p1->GSDML_List.size(), 2u);
    EXPECT_EQ(p1->SearchGSDML("GSDML-b.xml"), p1->GSDML_List[1].get());
    EXPECT_EQ(p1->SearchGSDML("GSDML-B.xml"), nullptr);
    EXPECT_EQ(io->SearchVendor("V1")->ProductFamily_List.size(), 2u);
    EXPECT_EQ(p1->SearchGSDML("GSDML-a.xml")->GSDML->GetString_ExternalTextList("T_AP0"), "A") << "first one stays";
}

TEST(Catalog, TreeOfCategoriesSubCategoriesAndPlainDevices) {
    zvtest::TempDir dir;
    TPROFINET_Catalog cat;
    auto one = decoded(dir, "GSDML-one.xml",
                       device_file("I/O", "V", "P",
                                   {{"Plain", "", ""},
                                    {"InCat", "CAT_T", ""},
                                    {"InSub", "CAT_T", "SUB_RAW"},
                                    {"InSub2", "CAT_T", "SUB_RAW"},
                                    {"Other", "CAT_RAW", ""}}));
    auto two = decoded(dir, "GSDML-two.xml", device_file("I/O", "V", "P", {{"Second", "CAT_T", ""}}));
    cat.Insert_in_Catalog(one);
    cat.Insert_in_Catalog(two);
    EXPECT_EQ(tree_of(cat),
              "I/O\n"
              "  V\n"
              "    P\n"
              "      Plain (GSDML-one.xml)\n"
              "      Texted category\n"
              "        InCat (GSDML-one.xml)\n"
              "        SUB_RAW\n"
              "          InSub (GSDML-one.xml)\n"
              "          InSub2 (GSDML-one.xml)\n"
              "      CAT_RAW\n"
              "        Other (GSDML-one.xml)\n"
              "      Texted category\n"
              "        Second (GSDML-two.xml)\n");
}

TEST(Catalog, MissingFamiliesAreFiledUnderEmptyText) {
    zvtest::TempDir dir;
    std::string t = replaced(kMinimal, "<Family MainFamily=\"I/O\" ProductFamily=\"Small\"/>", "<Family/>");
    t = replaced(t, "<VendorName Value=\"Vendor A\"/>", "");
    TPROFINET_Catalog cat;
    auto g = decoded(dir, "GSDML-x.xml", t);
    ASSERT_EQ(cat.Insert_in_Catalog(g), 1);
    EXPECT_EQ(tree_of(cat), "\n  \n    \n      Device one (GSDML-x.xml)\n");
}

TEST(Catalog, ClickSelectsDevicesOnly) {
    zvtest::TempDir dir;
    TPROFINET_Catalog cat;
    auto g = decoded(dir, "GSDML-one.xml",
                     device_file("I/O", "V", "P", {{"Plain", "", ""}, {"InSub", "CAT_T", "SUB_RAW"}}));
    const TGSDML* model = g.get();
    cat.Insert_in_Catalog(g);
    ProfinetCatalogForm form(cat, dir.path);
    form.FormShow();
    auto node_named = [&](const std::string& text) {
        for (size_t i = 0; i < form.tree.nodes.size(); ++i)
            if (form.tree.nodes[i].text == text) return static_cast<int>(i);
        return -1;
    };
    form.TW_CatalogClick(node_named("InSub (GSDML-one.xml)"));
    EXPECT_EQ(form.Selected_GSDML, model);
    EXPECT_EQ(form.Selected_Device_ID, "T_AP1");
    EXPECT_EQ(form.Selected_Device, "InSub");
    EXPECT_EQ(form.Selected_CategoryRef, "Texted category");
    form.TW_CatalogClick(node_named("Plain (GSDML-one.xml)"));
    EXPECT_EQ(form.Selected_CategoryRef, "");
    EXPECT_EQ(form.Selected_Device, "Plain");
    form.TW_CatalogClick(node_named("Texted category"));
    EXPECT_EQ(form.Selected_GSDML, nullptr);
    EXPECT_EQ(form.Selected_Device_ID, "");
    form.TW_CatalogClick(9999);
    EXPECT_EQ(form.Selected_GSDML, nullptr);
}

TEST(Loader, TakesPlainWritableGsdmlFilesInAnyCase) {
    zvtest::TempDir dir;
    const std::string good = device_file("I/O", "V", "P", {{"Dev", "", ""}});
    zvtest::spit(dir / "GSDML-b.xml", good);
    zvtest::spit(dir / "gsdml-a.XML", good);
    zvtest::spit(dir / "GSDML-bad.xml", "<ISO15745Profile><oops></ISO15745Profile>");
    zvtest::spit(dir / "GSDML-nodevice.xml", "<ISO15745Profile/>");
    zvtest::spit(dir / "GSDML-ro.xml", good);
    fs::permissions(dir / "GSDML-ro.xml", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    fs::create_symlink(dir / "GSDML-b.xml", dir / "GSDML-link.xml");
    fs::create_directory(dir / "GSDML-folder.xml");
    zvtest::spit(dir / "GSDML-folder.xml" / "GSDML-inner.xml", good);
    zvtest::spit(dir / "device.xml", good);
    zvtest::spit(dir / "GSDML-b.xml.bak", good);

    std::vector<std::string> names;
    for (const fs::path& p : list_catalog_files(dir.path)) names.push_back(p.filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"gsdml-a.XML", "GSDML-b.xml", "GSDML-bad.xml", "GSDML-nodevice.xml"}));

    for (unsigned threads : {1u, 2u, 4u}) {
        TPROFINET_Catalog cat;
        CatalogLoadResult r = Load_Catalog(dir.path, cat, threads);
        EXPECT_EQ(r.files, 4) << threads;
        EXPECT_EQ(r.decoded, 2) << threads;
        EXPECT_EQ(tree_of(cat), "I/O\n  V\n    P\n      Dev (gsdml-a.XML)\n      Dev (GSDML-b.xml)\n") << threads;
    }
}

TEST(Loader, ManyThreadsFileInListingOrder) {
    zvtest::TempDir dir;
    for (int i = 0; i < 40; ++i) {
        std::string n = std::to_string(100 + i);
        zvtest::spit(dir / ("GSDML-" + n + ".xml"), device_file("F" + std::to_string(i % 3), "V" + std::to_string(i % 5),
                                                                "P", {{"D" + n, i % 2 ? "CAT_T" : "", ""}}));
    }
    TPROFINET_Catalog one, many;
    Load_Catalog(dir.path, one, 1);
    Load_Catalog(dir.path, many, 3);
    EXPECT_EQ(tree_of(one), tree_of(many));
    EXPECT_NE(tree_of(one).find("D139 (GSDML-139.xml)"), std::string::npos);
}

TEST(Loader, MissingOrEmptyFolderGivesEmptyCatalogAndTheIndicatorStillGoes) {
    zvtest::TempDir dir;
    TPROFINET_Catalog cat;
    EXPECT_EQ(Load_Catalog(dir / "absent", cat).files, 0);
    EXPECT_EQ(Load_Catalog(dir.path, cat).files, 0);
    EXPECT_EQ(tree_of(cat), "");

    for (fs::path folder : {dir / "absent", gsdtest::fixture("")}) {
        auto shared = std::make_shared<TPROFINET_Catalog>();
        std::mutex m;
        std::condition_variable cv;
        std::vector<std::string> calls;
        TPROFINETCatLoad::Hooks hooks;
        hooks.show_indicator = [&] {
            std::lock_guard<std::mutex> l(m);
            calls.push_back("show");
        };
        hooks.hide_indicator = [&] {
            std::lock_guard<std::mutex> l(m);
            calls.push_back("hide");
            cv.notify_all();
        };
        TPROFINETCatLoad::start(folder, shared, hooks, 2);
        std::unique_lock<std::mutex> l(m);
        ASSERT_TRUE(cv.wait_for(l, std::chrono::seconds(20), [&] { return calls.size() == 2; }));
        EXPECT_EQ(calls, (std::vector<std::string>{"show", "hide"}));
        // The fixture folder holds two decodable files of one main family.
        if (folder != dir / "absent") {
            EXPECT_EQ(shared->MainFamily_list.size(), 1u);
        }
    }
}

TEST(AddDevice, DecodeTestOverwriteQuestionCopyAndFiling) {
    zvtest::TempDir dir;
    const fs::path catalog = dir / "PROFINET_Catalog", elsewhere = dir / "download";
    fs::create_directories(catalog);
    zvtest::spit(catalog / "GSDML-dev.xml", device_file("I/O", "V", "P", {{"Old", "", ""}}));
    TPROFINET_Catalog cat;
    Load_Catalog(catalog, cat, 1);
    ProfinetCatalogForm form(cat, catalog);
    form.FormShow();
    zvtest::ScriptedPrompter p;

    // Not decodable: nothing copied, nothing asked.
    zvtest::spit(elsewhere / "GSDML-empty.xml", "<ISO15745Profile/>");
    EXPECT_FALSE(form.Btn_AddDeviceClick(elsewhere / "GSDML-empty.xml", p));
    EXPECT_FALSE(fs::exists(catalog / "GSDML-empty.xml"));
    // Not well-formed: the error reaches the caller, nothing is copied.
    zvtest::spit(elsewhere / "GSDML-broken.xml", "<ISO15745Profile>");
    EXPECT_THROW(form.Btn_AddDeviceClick(elsewhere / "GSDML-broken.xml", p), Error);
    EXPECT_FALSE(fs::exists(catalog / "GSDML-broken.xml"));
    EXPECT_TRUE(p.shown.empty());

    // Same name: asked; No keeps the old file.
    const std::string newer = device_file("I/O", "V", "P", {{"New", "", ""}});
    zvtest::spit(elsewhere / "GSDML-dev.xml", newer);
    p.answers = {false};
    EXPECT_FALSE(form.Btn_AddDeviceClick(elsewhere / "GSDML-dev.xml", p));
    ASSERT_EQ(p.shown.size(), 1u);
    EXPECT_EQ(p.shown[0], (zvtest::ScriptedPrompter::Shown{"confirm", ProfinetCatalogForm::kOverwriteQuestion}));
    EXPECT_NE(zvtest::slurp(catalog / "GSDML-dev.xml"), newer);
    // Yes copies it, but the tree keeps the file as first filed.
    p.answers = {true};
    EXPECT_TRUE(form.Btn_AddDeviceClick(elsewhere / "GSDML-dev.xml", p));
    EXPECT_EQ(zvtest::slurp(catalog / "GSDML-dev.xml"), newer);
    EXPECT_EQ(form.tree.to_text(), "I/O\n  V\n    P\n      Old (GSDML-dev.xml)\n");

    // A new name is copied without a question and shows up at once, whatever its name.
    zvtest::spit(elsewhere / "other.xml", device_file("Drives", "W", "Q", {{"Fresh", "", ""}}));
    EXPECT_TRUE(form.Btn_AddDeviceClick(elsewhere / "other.xml", p));
    EXPECT_EQ(p.shown.size(), 2u);
    EXPECT_TRUE(fs::exists(catalog / "other.xml"));
    EXPECT_NE(form.tree.to_text().find("      Fresh (other.xml)\n"), std::string::npos) << form.tree.to_text();
}
