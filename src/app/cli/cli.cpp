#include "app/cli/cli.h"

#include <algorithm>
#include <iostream>

#include "shell/workspace.h"
#include "text/error.h"
#include "text/text_util.h"

namespace zv::cli {
namespace {

std::vector<Command>& registry() {
    static std::vector<Command> commands;
    return commands;
}

void print_usage(std::ostream& out, const Command& c) {
    out << "usage: zevirovave-cli " << c.name << (c.usage.empty() ? "" : " ") << c.usage << "\n"
        << c.summary << "\n";
    if (!c.help.empty()) out << "\n" << c.help << (c.help.back() == '\n' ? "" : "\n");
}

void print_list(std::ostream& out) {
    out << "usage: zevirovave-cli COMMAND [ARGS] (COMMAND --help for its arguments)\n\ncommands:\n";
    for (const auto& c : registry()) out << "  " << c.name << (c.usage.empty() ? "" : " ") << c.usage << "\n      " << c.summary << "\n";
    out << "\nexit codes: 0 ok, 1 refused or failed (message on stderr), 2 bad usage\n";
}

Args parse(const Command& c, const std::vector<std::string>& words) {
    Args a;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() > 2 && w.rfind("--", 0) == 0) {
            std::string opt = w, val;
            bool inline_value = false;
            if (auto eq = w.find('='); eq != std::string::npos) {
                opt = w.substr(0, eq);
                val = w.substr(eq + 1);
                inline_value = true;
            }
            bool takes_value = std::find(c.value_options.begin(), c.value_options.end(), opt) != c.value_options.end();
            bool is_flag = std::find(c.flag_options.begin(), c.flag_options.end(), opt) != c.flag_options.end();
            if (takes_value) {
                if (!inline_value) {
                    if (i + 1 >= words.size()) throw UsageError(opt + " needs a value");
                    val = words[++i];
                }
                a.values[opt] = val;
            } else if (is_flag && !inline_value) {
                a.flags.insert(opt);
            } else {
                throw UsageError("unknown option " + opt);
            }
        } else {
            a.positional.push_back(w);
        }
    }
    if (a.positional.size() < c.min_positional) throw UsageError("missing arguments");
    if (a.positional.size() > c.max_positional) throw UsageError("too many arguments");
    return a;
}

}  // namespace

void StderrPrompter::error(const std::string& t) { std::cerr << t << "\n"; }
void StderrPrompter::warning(const std::string& t) { std::cerr << t << "\n"; }
void StderrPrompter::information(const std::string& t) { std::cerr << t << "\n"; }
bool StderrPrompter::confirm(const std::string& t) {
    std::cerr << t << " (answered No)\n";
    return false;
}

std::optional<std::string> Args::value(const std::string& opt) const {
    auto it = values.find(opt);
    if (it == values.end()) return std::nullopt;
    return it->second;
}

long long Args::number(const std::string& opt, long long fallback) const {
    auto v = value(opt);
    if (!v) return fallback;
    auto n = parse_decimal(*v);
    if (!n) throw UsageError(opt + " takes a whole number");
    return *n;
}

bool add_command(Command c) {
    registry().push_back(std::move(c));
    return true;
}

std::filesystem::path workspace_of(const Args& a) {
    if (auto w = a.value("--workspace")) return std::filesystem::absolute(*w);
    return executable_folder();
}

void start(AppContext& app, const Args& a) { Start_Up(app.state, app.String_Table, workspace_of(a)); }

std::filesystem::path project_folder(const std::string& arg) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(arg, ec).lexically_normal();
    if (!p.has_filename()) p = p.parent_path();
    if (ec || !std::filesystem::is_directory(p, ec)) throw Error("Project folder not found: " + p.string());
    return p;
}

void open_project(ShellState& s, const std::string& arg) {
    s.Project_Path = project_folder(arg);
    s.Project_Name = s.Project_Path.filename().string();
    Set_Files(s);
}

int run(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    std::sort(registry().begin(), registry().end(),
              [](const Command& x, const Command& y) { return x.name < y.name; });
    if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        print_list(words.empty() ? std::cerr : std::cout);
        return words.empty() ? 2 : 0;
    }
    const Command* cmd = nullptr;
    size_t used = 0;
    for (const auto& c : registry()) {
        if (words.size() >= 2 && c.name == words[0] + " " + words[1]) { cmd = &c; used = 2; break; }
    }
    if (!cmd)
        for (const auto& c : registry())
            if (c.name == words[0]) { cmd = &c; used = 1; break; }
    if (!cmd) {
        std::cerr << "zevirovave-cli: unknown command '" << words[0] << "'\n";
        print_list(std::cerr);
        return 2;
    }
    std::vector<std::string> rest(words.begin() + static_cast<long>(used), words.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        print_usage(std::cout, *cmd);
        return 0;
    }
    try {
        Args a = parse(*cmd, rest);
        return cmd->run(a);
    } catch (const UsageError& e) {
        std::cerr << "zevirovave-cli " << cmd->name << ": " << e.what() << "\n";
        print_usage(std::cerr, *cmd);
        return 2;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}

}  // namespace zv::cli

int main(int argc, char** argv) { return zv::cli::run(argc, argv); }
