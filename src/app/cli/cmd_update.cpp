// The last step of the wizard without windows: the update job, the reachability
// check and the whole update.
#include <iostream>

#include <nlohmann/json.hpp>

#include "app/cli/cli.h"
#include "shell/start_program.h"
#include "shell/workspace.h"
#include "text/error.h"
#include "update/boot_form.h"
#include "update/job_file.h"

namespace zv::cli {
namespace fs = std::filesystem;
namespace {

// The dialog's values from the command line, with the project folder it names.
struct DialogValues {
    std::string ip;
    int option = 0;
    bool read_back = true;
};

DialogValues dialog_values(const Args& a) {
    DialogValues v;
    auto ip = a.value("--ip");
    if (!ip) throw UsageError("--ip is required");
    v.ip = *ip;
    long long option = a.number("--option", 0);
    if (option < 0 || option > 2) throw UsageError("--option takes 0 (firmware and configuration), 1 (firmware) or 2 (configuration)");
    v.option = static_cast<int>(option);
    v.read_back = !a.flags.count("--no-read-back");
    return v;
}

void open_project_dir(ShellState& s, const Args& a) {
    auto dir = a.value("--project");
    if (!dir) throw UsageError("--project is required");
    fs::path p = fs::absolute(*dir).lexically_normal();
    if (!p.has_filename()) p = p.parent_path();  // "PROJECTS/P/" names P
    std::error_code ec;
    if (!fs::is_directory(p, ec)) throw Error("Project folder not found: " + p.string());
    s.Project_Path = p;
    Set_Files(s);
}

int job(const Args& a) {
    AppContext app;
    start(app, a);
    open_project_dir(app.state, a);
    DialogValues d = dialog_values(a);
    if (!parse_ipv4(d.ip)) throw Error(app.String_Table[1037] + ": \"" + d.ip + "\" is not a dotted IPv4 address");
    JobValues v{d.ip, d.option, d.read_back, app.state.Master_Path, app.state.Project_Path};
    Compile_XML_Parameter_New_Boot(app.state.Program_Path, v);
    std::cout << (app.state.Program_Path / kJobFileName).string() << "\n";
    return 0;
}

int ping(const Args& a) {
    IcmpEchoClient client;
    int ping_res = kPingNoEvent;
    PingOutcome o = Send_Ping(a.positional[0], ping_res, client);
    nlohmann::json j = {{"answered", o.answered}, {"ping_res", ping_res}, {"attempts", o.attempts}, {"ms", o.ms}};
    if (!o.error.empty()) j["error"] = o.error;
    std::cout << j.dump() << "\n";
    return o.answered ? 0 : 1;
}

const bool registered =
    add_command({"job", "--workspace DIR --project PROJECT_DIR --ip A.B.C.D [--option 0|1|2] [--no-read-back]",
                 "Write DIR/Ethernet_Update.xml as the update dialog does for these values; no ping, nothing started.",
                 "--option: 0 firmware and configuration (default), 1 firmware, 2 configuration.\n"
                 "--no-read-back: the transfers are not read back.\n"
                 "Prints the path of the job file.",
                 {"--workspace", "--project", "--ip", "--option"}, {"--no-read-back"}, 0, 0, job}) &&
    add_command({"ping", "ADDR",
                 "Check that a device answers echo requests at ADDR as the update dialog does.",
                 "Prints {\"answered\", \"ping_res\", \"attempts\", \"ms\"} (and \"error\" when the check could not run).\n"
                 "ping_res: 1 answered, 2 no answer, 0 the check could not run.\n"
                 "Exit code 0 when the device answered, 1 otherwise.",
                 {}, {}, 1, 1, ping});

}  // namespace
}  // namespace zv::cli
