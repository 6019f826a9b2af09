#pragma once
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "text/prompter.h"

namespace zv::cli {

// Wrong words on the command line: exit code 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Messages a dialog would show go to stderr; questions are answered No.
struct StderrPrompter : Prompter {
    void error(const std::string& t) override;
    void warning(const std::string& t) override;
    void information(const std::string& t) override;
    bool confirm(const std::string& t) override;
};

struct Args {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    bool has(const std::string& opt) const { return values.count(opt) || flags.count(opt); }
    std::optional<std::string> value(const std::string& opt) const;
    // The value of a numeric option, or UsageError.
    long long number(const std::string& opt, long long fallback) const;
};

struct Command {
    std::string name;     // one word, or two for a group ("network show")
    std::string usage;    // arguments after the name
    std::string summary;  // one line for the command list
    std::string help;     // further lines for --help
    std::vector<std::string> value_options;
    std::vector<std::string> flag_options;
    size_t min_positional = 0;
    size_t max_positional = 0;
    std::function<int(const Args&)> run;  // exit code; zv::Error -> 1 with its message
};

// Called from a static object in each cmd_*.cpp.
bool add_command(Command c);

// The workspace of --workspace, else the executable's folder.
std::filesystem::path workspace_of(const Args& a);
// Program start without windows: workspace, settings, language, restore.
void start(AppContext& app, const Args& a);
// A PROJECT_DIR argument: made absolute ("PROJECTS/P/" names P), it must be a
// folder. open_project also fills the project's name and file paths.
std::filesystem::path project_folder(const std::string& arg);
void open_project(ShellState& s, const std::string& arg);

int run(int argc, char** argv);

}  // namespace zv::cli
