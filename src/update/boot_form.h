#pragma once
#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "shell/shell_state.h"
#include "text/prompter.h"
#include "text/string_table.h"
#include "update/echo_client.h"
#include "update/send_ping.h"

namespace zv {

// The update dialog's rules without its window: the four address boxes, the
// options list and Read Back as plain values, the show handler, the "." key and
// the update button.
class BootForm {
public:
    // Starts the updater and waits for it (Start_Program, with the window's repaint).
    using StartFn = std::function<void(const std::filesystem::path& file, const std::string& parameters, bool hidden)>;

    BootForm(const StringTable& t, Prompter& p, ShellState& s, EchoClient& echo, StartFn start,
             Clock& clock = steady_clock_ms());

    // Texts of the window for the current Form_Type.
    struct Texts {
        std::string caption, sw_desc, ip_label, option_label, read_back, cancel, update;
        std::array<std::string, 4> ip_hints;
        std::array<std::string, 3> options;
        std::string options_hint, read_back_hint, cancel_hint, update_hint;
    };
    Texts Set_Lang() const;

    // Show handler: the remembered address where it is valid, option and Read Back.
    void FormShow();

    // A key typed into address box `box` (0..3): whether it goes into the box,
    // and the box to focus next (-1: focus stays).
    struct KeyResult {
        bool insert;
        int focus;
    };
    static KeyResult key_press(int box, char key);

    enum class UpdateResult { Answered, NotFound, CheckFailed };
    // Ping; on an answer remember the values, write the job, start the updater.
    UpdateResult Btn_UpdateClick();
    // Its steps, for callers that report each: the check (with its message on
    // failure), then remembering the values, then the job and the updater.
    UpdateResult check();
    void remember();
    void write_job_and_start();

    // The four box texts joined with ".", as typed.
    std::string address() const;

    int Form_Type = 1;
    int ping_res = kPingNoEvent;
    std::array<std::string, 4> E_IP{"0", "0", "0", "0"};
    int update_option = 0;  // index in the options list
    bool read_back = true;
    PingOutcome last_ping;
    std::function<void()> process_messages;  // runs in the short waits of the check

private:
    const StringTable& t_;
    Prompter& p_;
    ShellState& s_;
    EchoClient& echo_;
    StartFn start_;
    Clock& clock_;
};

}  // namespace zv
