#include "profinet/network_form.h"

#include "text/error.h"
#include "text/text_util.h"

namespace zv {
namespace {

constexpr int kGridCols = 6;
constexpr int kColWidths[kGridCols] = {65, 200, 200, 200, 200, 158};

size_t utf8_length(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

ProfinetNetworkForm::ProfinetNetworkForm(const StringTable& t, Prompter& p) : t_(t), p_(p) {
    for (int f = 3; f <= 255; ++f) answer_items.push_back(std::to_string(f));
    Fill_Grid();
}

void ProfinetNetworkForm::Fill_Grid() {
    const int n = static_cast<int>(List_PROFINET_Device.size());
    ACG_ListDevice = Grid(1 + std::max(1, n), kGridCols);
    for (int c = 0; c < kGridCols; ++c) {
        ACG_ListDevice.columns[c].width = kColWidths[c];
        ACG_ListDevice.columns[c].read_only = true;
        ACG_ListDevice.text(0, c) = t_[1102 + c];
    }
    for (int i = 0; i < n; ++i) {
        const TGSDML& g = *List_PROFINET_Device[i]->FGSDML;
        ACG_ListDevice.text(i + 1, 0) = std::to_string(i);
        ACG_ListDevice.text(i + 1, 1) = g.ProfileBody.DeviceIdentity.FVendorName;
        ACG_ListDevice.text(i + 1, 2) = g.ProfileBody.DeviceFunction.Family.FMainFamily;
        ACG_ListDevice.text(i + 1, 3) = g.ProfileBody.DeviceFunction.Family.FProductFamily;
        ACG_ListDevice.text(i + 1, 4) = g.FGSDML_FileName;
    }
}

void ProfinetNetworkForm::FormShow(const std::filesystem::path& network_file, const std::filesystem::path& Project_Path) {
    List_PROFINET_Device.clear();
    load_incomplete_ = false;
    try {
        Load_PROFINET_Network_Project(network_file, Project_Path, List_PROFINET_Device);
    } catch (const std::exception& e) {  // zv::Error: a damaged file or copy
        load_incomplete_ = true;
        p_.error(e.what());
    }
    Fill_Grid();
    select_row(1);
}

void ProfinetNetworkForm::select_row(int row) {
    selected_row_ = row;
    Show_Data_Device(row - 1);
}

TPROFINET_Device* ProfinetNetworkForm::selected_device() {
    const int i = selected_row_ - 1;
    if (i < 0 || i >= static_cast<int>(List_PROFINET_Device.size())) return nullptr;
    return List_PROFINET_Device[i].get();
}

void ProfinetNetworkForm::Show_Data_Device(int index) {
    panel = DevicePanel();
    if (index < 0 || index >= static_cast<int>(List_PROFINET_Device.size())) return;
    const TPROFINET_Device& d = *List_PROFINET_Device[index];
    panel.name_of_station = d.FNameOfStation;
    panel.ip_address = d.FIPAddress;
    panel.new_session_spi = d.FNewSessionSPI;
    panel.reset_data = d.FResetDataOnFail;
    panel.update_items = d.UpdateTimeVal;
    panel.update_index = d.FUpdateTime;
    panel.answer_index = d.FAnswerTime;
    double ans = 0;
    d.CheckAnswerTime(panel.answer_index, ans);
    panel.answer_label = format_ms(ans);
}

bool ProfinetNetworkForm::name_of_station_left(const std::string& text) {
    TPROFINET_Device* d = selected_device();
    if (!d) return true;
    if (utf8_length(text) >= 32) {
        p_.error(t_[1131]);
        return false;
    }
    d->FNameOfStation = text;
    panel.name_of_station = text;
    return true;
}

bool ProfinetNetworkForm::ip_address_left(const std::string& text) {
    TPROFINET_Device* d = selected_device();
    if (!d) return true;
    if (!Check_IP_Address(text)) {
        p_.error(t_[1132]);
        return false;
    }
    d->FIPAddress = text;
    panel.ip_address = text;
    return true;
}

void ProfinetNetworkForm::new_session_spi_clicked(bool on) {
    panel.new_session_spi = on;
    if (TPROFINET_Device* d = selected_device()) d->FNewSessionSPI = on;
}

void ProfinetNetworkForm::reset_data_clicked(bool on) {
    panel.reset_data = on;
    if (TPROFINET_Device* d = selected_device()) d->FResetDataOnFail = on;
}

Focus ProfinetNetworkForm::update_time_changed(int index) {
    TPROFINET_Device* d = selected_device();
    if (!d) return Focus::None;
    panel.update_index = index;
    if (!d->CheckUpdateTime(index)) {
        p_.error(t_[1133] + format_ms(d->FMinDevInterval * 0.03125));
        return Focus::UpdateTime;
    }
    d->FUpdateTime = index;
    double ans = 0;
    const bool ok = d->CheckAnswerTime(panel.answer_index, ans);
    panel.answer_label = format_ms(ans);
    if (!ok) {
        p_.error(t_[1134]);
        return Focus::AnswerTime;
    }
    return Focus::None;
}

Focus ProfinetNetworkForm::answer_time_changed(int index) {
    TPROFINET_Device* d = selected_device();
    if (!d) return Focus::None;
    panel.answer_index = index;
    double ans = 0;
    const bool ok = d->CheckAnswerTime(index, ans);
    panel.answer_label = format_ms(ans);
    if (!ok) {
        p_.error(t_[1135]);
        return Focus::AnswerTime;
    }
    d->FAnswerTime = index;
    return Focus::None;
}

bool ProfinetNetworkForm::can_add_device() {
    if (List_PROFINET_Device.size() >= kMaxNetworkDevices) {
        p_.error(t_[1129]);
        return false;
    }
    return true;
}

bool ProfinetNetworkForm::add_device(const TGSDML& catalog_model, const std::string& device_id,
                                     const std::string& device_name, const std::string& category,
                                     const std::filesystem::path& Project_Path) {
    copy_gsdml_into_project(std::filesystem::path(catalog_model.FGSDML_Path + catalog_model.FGSDML_FileName),
                            Project_Path);
    auto g = std::make_unique<TGSDML>();
    if (!decode_project_copy(*g, Project_Path, catalog_model.FGSDML_FileName)) return false;
    List_PROFINET_Device.push_back(new_network_device(std::move(g), device_id, device_name, category));
    Fill_Grid();
    select_row(static_cast<int>(List_PROFINET_Device.size()));
    return true;
}

void ProfinetNetworkForm::delete_device() {
    if (!selected_device()) {
        p_.error(t_[1128]);
        return;
    }
    List_PROFINET_Device.erase(List_PROFINET_Device.begin() + (selected_row_ - 1));
    Fill_Grid();
    select_row(std::min(selected_row_, ACG_ListDevice.last_row()));
}

TPROFINET_Device* ProfinetNetworkForm::modules_device() {
    TPROFINET_Device* d = selected_device();
    if (!d) p_.error(t_[1130]);
    return d;
}

void ProfinetNetworkForm::apply_modules(TPROFINET_Device& device, const std::vector<TPROFINET_Slot>& slots) {
    if (device.SlotList.empty() || device.SlotList.size() != slots.size()) return;
    for (size_t k = 0; k < slots.size(); ++k) {
        device.SlotList[k].Selected_Module = slots[k].Selected_Module;
        device.SlotList[k].Copy_SubSlot_List(slots[k].SubSlotList);
    }
}

bool ProfinetNetworkForm::Btn_OK(const std::filesystem::path& network_file) {
    // Saving after a read that stopped half-way would silently drop the
    // devices the file still holds beyond that point.
    if (load_incomplete_ &&
        !p_.confirm("The network file could not be read completely. Saving replaces it with the devices listed "
                    "here and the others are lost. Save anyway?"))
        return false;
    Save_PROFINET_Netword_Project(List_PROFINET_Device, network_file);
    load_incomplete_ = false;
    return true;
}

}  // namespace zv
