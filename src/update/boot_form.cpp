#include "update/boot_form.h"

#include "text/text_util.h"
#include "update/job_file.h"

namespace zv {

BootForm::BootForm(const StringTable& t, Prompter& p, ShellState& s, EchoClient& echo, StartFn start, Clock& clock)
    : t_(t), p_(p), s_(s), echo_(echo), start_(std::move(start)), clock_(clock) {}

BootForm::Texts BootForm::Set_Lang() const {
    Texts x;
    // Only the update over Ethernet (Form_Type 1) exists.
    x.caption = t_[1002];
    x.sw_desc = t_[1003];
    x.ip_label = t_[1006];
    x.ip_hints = {t_[1021], t_[1022], t_[1023], t_[1024]};
    x.option_label = t_[1014];
    x.options = {t_[1015], t_[1016], t_[1017]};
    x.options_hint = t_[1032];
    x.read_back = t_[1018];
    x.read_back_hint = t_[1033];
    x.cancel = t_[1019];
    x.cancel_hint = t_[1034];
    x.update = t_[1020];
    x.update_hint = t_[1035];
    return x;
}

void BootForm::FormShow() {
    std::array<std::string, 4> parts;
    if (!s_.Device_IP.empty() && Check_IP_Address(s_.Device_IP, parts)) E_IP = parts;
    update_option = s_.Update_Option >= 0 && s_.Update_Option <= 2 ? s_.Update_Option : 0;
    read_back = s_.Read_Back;
}

BootForm::KeyResult BootForm::key_press(int box, char key) {
    if (key != '.') return {true, -1};
    return {false, box < 3 ? box + 1 : -1};
}

std::string BootForm::address() const { return E_IP[0] + "." + E_IP[1] + "." + E_IP[2] + "." + E_IP[3]; }

BootForm::UpdateResult BootForm::Btn_UpdateClick() {
    UpdateResult r = check();
    if (r != UpdateResult::Answered) return r;
    remember();
    write_job_and_start();
    return r;
}

BootForm::UpdateResult BootForm::check() {
    last_ping = Send_Ping(address(), ping_res, echo_, clock_, process_messages);
    if (last_ping.answered) return UpdateResult::Answered;
    if (ping_res == kPingNoAnswer) {
        p_.warning(t_[1036]);
        return UpdateResult::NotFound;
    }
    p_.error(t_[1037]);
    return UpdateResult::CheckFailed;
}

void BootForm::remember() {
    s_.Device_IP = address();
    s_.Update_Option = update_option;
    s_.Read_Back = read_back;
}

void BootForm::write_job_and_start() {
    JobValues v;
    v.ip_address = address();
    v.update_option = update_option;
    v.read_back = read_back;
    v.master_path = s_.Master_Path;
    v.project_path = s_.Project_Path;
    Compile_XML_Parameter_New_Boot(s_.Program_Path, v);
    if (start_) start_(updater_path(s_.Program_Path), "", false);
}

}  // namespace zv
