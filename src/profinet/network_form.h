#pragma once
// What the network dialog does, without a window: the device list and grid,
// the properties panel with its checks, adding, deleting, taking back the
// modules dialog's working copy, and the save on OK.
#include <filesystem>
#include <string>
#include <vector>

#include "profinet/network_file.h"
#include "text/grid.h"
#include "text/prompter.h"
#include "text/string_table.h"

namespace zv {

// What the properties panel shows.
struct DevicePanel {
    std::string name_of_station, ip_address;
    bool new_session_spi = false, reset_data = false;
    std::vector<std::string> update_items;
    int update_index = -1;  // -1: nothing selected
    int answer_index = -1;
    std::string answer_label;
};

// Where the window puts the focus after a change that was refused.
enum class Focus { None, NameOfStation, IPAddress, UpdateTime, AnswerTime };

class ProfinetNetworkForm {
public:
    ProfinetNetworkForm(const StringTable& t, Prompter& p);

    // FormShow: the list rebuilt from the file, row 1 selected. A file that
    // cannot be read completely is reported; the devices read before stay.
    void FormShow(const std::filesystem::path& network_file, const std::filesystem::path& Project_Path);

    // Grid row r (1-based) shows device r - 1; row 0 is the header.
    void select_row(int row);
    int selected_row() const { return selected_row_; }
    TPROFINET_Device* selected_device();
    void Show_Data_Device(int index);

    // Leaving the edits; false when refused (the focus goes back to the field).
    bool name_of_station_left(const std::string& text);
    bool ip_address_left(const std::string& text);
    void new_session_spi_clicked(bool on);
    void reset_data_clicked(bool on);
    // Combo changes; the result says where the focus goes.
    Focus update_time_changed(int index);
    Focus answer_time_changed(int index);

    // Step 1 of adding: false (after 1129) when the network is full.
    bool can_add_device();
    // The rest of adding once the catalog dialog closed with a device: the copy
    // into the project, its decode, the new device selected. False when the copy
    // does not decode. Throws zv::Error when copying fails or it is not well-formed.
    bool add_device(const TGSDML& catalog_model, const std::string& device_id, const std::string& device_name,
                    const std::string& category, const std::filesystem::path& Project_Path);
    void delete_device();
    // The device to hand to the modules dialog, or null after 1130.
    TPROFINET_Device* modules_device();
    // Takes the modules dialog's working copy back after its OK.
    void apply_modules(TPROFINET_Device& device, const std::vector<TPROFINET_Slot>& slots);

    // OK: writes the network file; false when the user declined to replace a
    // file that could not be read completely. Throws zv::Error (the dialog stays open).
    bool Btn_OK(const std::filesystem::path& network_file);
    bool load_incomplete() const { return load_incomplete_; }

    void Fill_Grid();

    DeviceList List_PROFINET_Device;
    Grid ACG_ListDevice;
    DevicePanel panel;
    std::vector<std::string> answer_items;  // "3" .. "255"

private:
    const StringTable& t_;
    Prompter& p_;
    int selected_row_ = 1;
    bool load_incomplete_ = false;
};

}  // namespace zv
