#pragma once
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "text/prompter.h"

namespace zvtest {

// Records every message box a form asks for and answers questions from a script
// (No once the script runs out).
struct ScriptedPrompter : zv::Prompter {
    struct Shown {
        std::string kind, text;
        bool operator==(const Shown&) const = default;
    };
    std::vector<Shown> shown;
    std::deque<bool> answers;

    void error(const std::string& t) override { shown.push_back({"error", t}); }
    void warning(const std::string& t) override { shown.push_back({"warning", t}); }
    void information(const std::string& t) override { shown.push_back({"information", t}); }
    bool confirm(const std::string& t) override;
    std::string last() const { return shown.empty() ? std::string() : shown.back().text; }
};

// A fresh folder removed at the end of the test.
struct TempDir {
    std::filesystem::path path;
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return path / name; }
};

std::string slurp(const std::filesystem::path& file);
void spit(const std::filesystem::path& file, const std::string& bytes);

// Runs a program, returns its exit code; stdout and stderr are captured.
struct RunResult {
    int code = -1;
    std::string out, err;
};
RunResult run_program(const std::vector<std::string>& argv);

}  // namespace zvtest
