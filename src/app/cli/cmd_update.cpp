// The last step of the wizard without windows: the update job, the reachability
// check and the whole update.
#include <iostream>

#include <nlohmann/json.hpp>

#include "app/cli/cli.h"
#include "compiler/compiler.h"
#include "shell/start_program.h"
#include "shell/workspace.h"
#include "text/error.h"
#include "update/boot_form.h"
#include "update/job_file.h"

namespace zv::cli {
namespace fs = std::filesystem;
namespace {

// The update dialog's values as given on the command line.
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
    open_project(s, *dir);
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

// The four box texts of an address typed as one text: split at the first three
// dots, so a missing group leaves a box empty.
std::array<std::string, 4> boxes_of(const std::string& ip) {
    std::array<std::string, 4> boxes;
    size_t from = 0;
    for (int i = 0; i < 3; ++i) {
        size_t dot = ip.find('.', from);
        if (dot == std::string::npos) {
            boxes[i] = ip.substr(from);
            from = ip.size();
            break;
        }
        boxes[i] = ip.substr(from, dot - from);
        from = dot + 1;
    }
    if (from < ip.size()) boxes[3] = ip.substr(from);
    return boxes;
}

int update(const Args& a) {
    AppContext app;
    start(app, a);
    open_project_dir(app.state, a);
    DialogValues d = dialog_values(a);
    long long timeout = a.number("--timeout-ms", kStartProgramLimitMs);
    if (timeout < 0 || timeout > 24LL * 3600 * 1000) throw UsageError("--timeout-ms takes 0 to 86400000");

    compile_project(app.state);
    const fs::path bin = app.state.Project_Path / "bin";
    std::cout << "compiled: " << (bin / "bank1.bin").string() << ", " << (bin / "bank2.bin").string() << ", "
              << (bin / "bank3.bin").string() << std::endl;

    StderrPrompter prompter;
    IcmpEchoClient echo;
    ProgramRun run = ProgramRun::NotStarted;
    fs::path updater;
    BootForm form(app.String_Table, prompter, app.state, echo,
                  [&](const fs::path& file, const std::string& parameters, bool hidden) {
                      updater = file;
                      std::cout << "job: " << (app.state.Program_Path / kJobFileName).string() << std::endl;
                      std::cout << "updater: " << file.string() << std::endl;
                      run = Start_Program(file, parameters, hidden, static_cast<int>(timeout));
                  });
    form.Form_Type = 1;
    form.E_IP = boxes_of(d.ip);
    form.update_option = d.option;
    form.read_back = d.read_back;

    BootForm::UpdateResult r = form.check();
    const PingOutcome& o = form.last_ping;
    std::cout << "ping: " << form.address() << (o.answered ? " answered" : " did not answer") << " (ping_res "
              << form.ping_res << ", " << o.attempts << " attempts, " << o.ms << " ms)" << std::endl;
    if (r != BootForm::UpdateResult::Answered) return 1;  // 1036 or 1037 is on stderr

    form.remember();
    if (!Save_Setting(app.state)) return 1;
    std::cout << "settings: device address " << app.state.Device_IP << " stored in "
              << app.state.settings_file().string() << std::endl;
    form.write_job_and_start();
    switch (run) {
        case ProgramRun::Ended:
            std::cout << "updater: ended" << std::endl;
            return 0;
        case ProgramRun::LeftRunning:
            std::cout << "updater: still running after " << timeout << " ms, left running" << std::endl;
            return 0;
        case ProgramRun::NotStarted:
            break;
    }
    std::cerr << "The updater could not be started: " << updater.string() << "\n";
    return 1;
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
                 {}, {}, 1, 1, ping}) &&
    add_command({"update",
                 "--workspace DIR --project PROJECT_DIR --ip A.B.C.D [--option N] [--no-read-back] [--timeout-ms N]",
                 "The last step of the wizard: compile, ping, then store the address, write the job and run the updater.",
                 "Each step is reported on stdout. Without an answer nothing is stored, written or started, and\n"
                 "the exit code is 1 with the dialog's message on stderr (Device Not Found! / Error!!! Check the Ip Address).\n"
                 "The updater is DIR/Ethernet_Update.exe (or DIR/Ethernet_Update when only that exists), started with\n"
                 "an empty command line and waited for at most --timeout-ms (default 150000); one still running\n"
                 "then is left running. An updater that cannot be started gives exit code 1.",
                 {"--workspace", "--project", "--ip", "--option", "--timeout-ms"}, {"--no-read-back"}, 0, 0, update});

}  // namespace
}  // namespace zv::cli
