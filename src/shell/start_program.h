#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace zv {

// A started external program, as far as the caller needs to know it.
class ChildProcess {
public:
    virtual ~ChildProcess() = default;
    virtual bool running() = 0;
    // Called when the caller stops waiting while the program still runs: it is
    // left running, and its end must not leave anything behind.
    virtual void abandon() = 0;
};

// Starts programs. The system one is POSIX; tests and other platforms can
// supply their own.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // nullptr when the program could not be started.
    virtual std::unique_ptr<ChildProcess> launch(const std::filesystem::path& file, const std::string& parameters,
                                                 bool hidden) = 0;
};

// posix_spawn. `parameters` is split at blanks into arguments (no quoting);
// `hidden` gives the program no terminal: its standard streams go to /dev/null.
ProgramLauncher& system_launcher();

inline constexpr int kStartProgramLimitMs = 150000;

enum class ProgramRun { NotStarted, Ended, LeftRunning };

// Starts NomeSW with the command line Parameter (tipo true: hidden) and waits
// for its end, polling every 10 ms for at most limit_ms. Reports nothing: a
// program that cannot be started returns at once, one that outlasts the limit
// is left running. `poll` runs at every 10 ms tick so a window can repaint.
// The result is only for reports such as the CLI's; the windows ignore it.
ProgramRun Start_Program(const std::filesystem::path& NomeSW, const std::string& Parameter, bool tipo,
                   int limit_ms = kStartProgramLimitMs, const std::function<void()>& poll = {},
                   ProgramLauncher& launcher = system_launcher());

}  // namespace zv
