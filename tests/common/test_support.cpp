#include "common/test_support.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>

namespace zvtest {
namespace fs = std::filesystem;

bool ScriptedPrompter::confirm(const std::string& t) {
    shown.push_back({"confirm", t});
    if (answers.empty()) return false;
    bool a = answers.front();
    answers.pop_front();
    return a;
}

TempDir::TempDir() {
    std::random_device rd;
    path = fs::temp_directory_path() / ("zvtest-" + std::to_string(getpid()) + "-" + std::to_string(rd()));
    fs::create_directories(path);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path, ec);
}

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void spit(const fs::path& file, const std::string& bytes) {
    if (file.has_parent_path()) fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

RunResult run_program(const std::vector<std::string>& argv) {
    RunResult r;
    char out_tmpl[] = "/tmp/zvout-XXXXXX";
    char err_tmpl[] = "/tmp/zverr-XXXXXX";
    int out_fd = mkstemp(out_tmpl), err_fd = mkstemp(err_tmpl);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(out_fd, 1);
        dup2(err_fd, 2);
        int null_fd = open("/dev/null", O_RDONLY);
        dup2(null_fd, 0);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    close(out_fd);
    close(err_fd);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = slurp(out_tmpl);
    r.err = slurp(err_tmpl);
    unlink(out_tmpl);
    unlink(err_tmpl);
    return r;
}

}  // namespace zvtest
