#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <sys/stat.h>

#include "common/test_support.h"
#include "shell/start_program.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

fs::path script(const zvtest::TempDir& dir, const std::string& name, const std::string& body) {
    fs::path p = dir / name;
    zvtest::spit(p, "#!/bin/sh\n" + body);
    chmod(p.c_str(), 0755);
    return p;
}

long long ms_since(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

}  // namespace

TEST(StartProgram, WaitsForTheProgramAndPassesItsParameters) {
    zvtest::TempDir dir;
    fs::path log = dir / "log";
    fs::path p = script(dir, "prog", "sleep 0.2\necho \"$#:$1:$2\" > '" + log.string() + "'\n");
    int polls = 0;
    auto t = Clock::now();
    EXPECT_EQ(zv::Start_Program(p, "alpha  beta", false, 5000, [&] { ++polls; }), zv::ProgramRun::Ended);
    EXPECT_GE(ms_since(t), 200);
    EXPECT_EQ(zvtest::slurp(log), "2:alpha:beta\n");  // written before it ended
    EXPECT_GT(polls, 5);
}

TEST(StartProgram, HiddenProgramGetsNoTerminal) {
    zvtest::TempDir dir;
    fs::path log = dir / "log";
    fs::path p = script(dir, "prog", "if [ -t 0 ] || [ -t 1 ]; then echo tty; else echo none; fi > '" + log.string() +
                                         "'\necho \"[$#]\" >> '" + log.string() + "'\n");
    zv::Start_Program(p, "", true, 5000);
    EXPECT_EQ(zvtest::slurp(log), "none\n[0]\n");
}

TEST(StartProgram, ProgramThatCannotStartReturnsAtOnce) {
    zvtest::TempDir dir;
    zvtest::spit(dir / "not_executable", "#!/bin/sh\nsleep 5\n");
    zvtest::spit(dir / "no_interpreter", "sleep 5\n");
    chmod((dir / "no_interpreter").c_str(), 0755);
    for (fs::path p : {dir / "missing", dir / "not_executable", dir / "no_interpreter", dir.path, fs::path()}) {
        auto t = Clock::now();
        int polls = 0;
        EXPECT_EQ(zv::Start_Program(p, "", false, 5000, [&] { ++polls; }), zv::ProgramRun::NotStarted) << p;
        EXPECT_LT(ms_since(t), 1000) << p;
        EXPECT_EQ(polls, 0) << p;
    }
}

TEST(StartProgram, LimitEndsTheWaitAndLeavesTheProgramRunning) {
    zvtest::TempDir dir;
    fs::path done = dir / "done";
    fs::path p = script(dir, "slow", "sleep 1\ntouch '" + done.string() + "'\n");
    auto t = Clock::now();
    EXPECT_EQ(zv::Start_Program(p, "", false, 150), zv::ProgramRun::LeftRunning);
    long long waited = ms_since(t);
    EXPECT_GE(waited, 150);
    EXPECT_LT(waited, 900);
    EXPECT_FALSE(fs::exists(done));
    // It was not killed: it finishes on its own.
    for (int i = 0; i < 300 && !fs::exists(done); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(fs::exists(done));
}
