#include "shell/start_program.h"

#include <chrono>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zv {
namespace {

class PosixChild : public ChildProcess {
public:
    explicit PosixChild(pid_t pid) : pid_(pid) {}
    ~PosixChild() override {
        if (pid_ > 0) abandon();
    }

    bool running() override {
        if (pid_ <= 0) return false;
        int status = 0;
        pid_t r;
        do r = waitpid(pid_, &status, WNOHANG);
        while (r < 0 && errno == EINTR);
        if (r == 0) return true;
        pid_ = 0;  // ended (or not ours any more): reaped
        return false;
    }

    void abandon() override {
        if (pid_ <= 0) return;
        // Someone has to collect its exit status, or it stays a zombie until we end.
        pid_t pid = pid_;
        pid_ = 0;
        std::thread([pid] {
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }

private:
    pid_t pid_;
};

std::vector<std::string> split_blanks(const std::string& s) {
    std::vector<std::string> words;
    std::string cur;
    for (char c : s) {
        if (c == ' ' || c == '\t') {
            if (!cur.empty()) words.push_back(std::move(cur)), cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) words.push_back(std::move(cur));
    return words;
}

class PosixLauncher : public ProgramLauncher {
public:
    std::unique_ptr<ChildProcess> launch(const std::filesystem::path& file, const std::string& parameters,
                                         bool hidden) override {
        if (file.empty()) return nullptr;
        std::string path = file.string();
        std::vector<std::string> words = split_blanks(parameters);
        std::vector<char*> argv;
        argv.push_back(path.data());
        for (auto& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (hidden)
            for (int fd : {0, 1, 2})
                posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
        pid_t pid = 0;
        // glibc reports a failed exec (missing file, no permission, not a program) here.
        int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) return nullptr;
        return std::make_unique<PosixChild>(pid);
    }
};

}  // namespace

ProgramLauncher& system_launcher() {
    static PosixLauncher launcher;
    return launcher;
}

ProgramRun Start_Program(const std::filesystem::path& NomeSW, const std::string& Parameter, bool tipo, int limit_ms,
                         const std::function<void()>& poll, ProgramLauncher& launcher) {
    std::unique_ptr<ChildProcess> child;
    try {
        child = launcher.launch(NomeSW, Parameter, tipo);
    } catch (...) {
        child.reset();
    }
    if (!child) return ProgramRun::NotStarted;
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    while (child->running()) {
        if (Clock::now() - start >= std::chrono::milliseconds(limit_ms)) {
            child->abandon();
            return ProgramRun::LeftRunning;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (poll) poll();
    }
    return ProgramRun::Ended;
}

}  // namespace zv
