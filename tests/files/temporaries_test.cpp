// Stale temporary files of crashed record writes: which names are ours, which
// processes still run, and the clean-up at start-up that keeps the files of
// running copies of the game.
#include "files/temporaries.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "files/processes.h"
#include "tests/files/temp_folder.h"

namespace koikoi {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(TemporaryFileOwner, ReadsOnlyTheNamesAWriteGives) {
    struct Case {
        const char* name;
        int64_t owner;  // -1: not a temporary file of result.dat
    };
    const std::vector<Case> cases = {
        {"result.dat.4242.tmp", 4242},
        {"result.dat.1.tmp", 1},
        {"result.dat.2147483647.tmp", 2147483647},
        {"result.dat", -1},
        {"result.dat.tmp", -1},
        {"result.dat..tmp", -1},
        {"result.dat.0.tmp", -1},
        {"result.dat.042.tmp", -1},
        {"result.dat.-42.tmp", -1},
        {"result.dat.+42.tmp", -1},
        {"result.dat.4a2.tmp", -1},
        {"result.dat.2147483648.tmp", -1},
        {"result.dat.12345678901.tmp", -1},
        {"result.dat.42.tmp.bak", -1},
        {"result.dat.42.TMP", -1},
        {"result.dat42.tmp", -1},
        {"old-result.dat.42.tmp", -1},
        {"allocation.dat.42.tmp", -1},
    };
    for (const Case& c : cases) {
        const std::optional<int64_t> owner = TemporaryFileOwner(c.name, "result.dat");
        EXPECT_EQ(owner.value_or(-1), c.owner) << c.name;
    }
}

// The clean-up reads the names the writer gives: the two must not drift.
TEST(TemporaryFileOwner, ReadsTheWritersOwnName) {
    const std::filesystem::path temporary = FileReplacer::TemporaryPath("some/folder/result.dat");
    EXPECT_EQ(temporary.parent_path(), std::filesystem::path("some/folder"));
    EXPECT_EQ(TemporaryFileOwner(temporary.filename().string(), "result.dat"), CurrentProcessId());
}

TEST(StaleTemporaryFiles, TakesThoseOfEndedProcessesAndOurOwn) {
    const std::vector<std::string> names = {
        "result.dat",         "result.dat.100.tmp",     "result.dat.200.tmp",
        "result.dat.300.tmp", "allocation.dat.100.tmp", "result.dat.100.tmp~",
        "koikoi.html",
    };
    auto running = [](int64_t process) { return process == 200; };
    const std::vector<std::string> expected = {"result.dat.100.tmp", "result.dat.300.tmp"};
    EXPECT_EQ(StaleTemporaryFiles(names, "result.dat", 300, running), expected);
    EXPECT_TRUE(
        StaleTemporaryFiles(names, "result.dat", 999, [](int64_t) { return true; }).empty());
}

// A child process that has ended and been reaped, and one kept running until
// it is dropped.
struct Children {
    pid_t ended = -1;
    pid_t running = -1;
    Children() {
        ended = fork();
        if (ended == 0) _exit(0);
        waitpid(ended, nullptr, 0);
        running = fork();
        if (running == 0) {
            pause();
            _exit(0);
        }
    }
    ~Children() {
        kill(running, SIGKILL);
        waitpid(running, nullptr, 0);
    }
};

TEST(ProcessIsRunning, TellsRunningFromEnded) {
    Children children;
    ASSERT_GT(children.ended, 0);
    ASSERT_GT(children.running, 0);
    EXPECT_TRUE(ProcessIsRunning(CurrentProcessId()));
    EXPECT_TRUE(ProcessIsRunning(children.running));
    EXPECT_FALSE(ProcessIsRunning(children.ended));
    // Ids that name no single process are never taken for ended ones.
    EXPECT_TRUE(ProcessIsRunning(0));
    EXPECT_TRUE(ProcessIsRunning(-1));
}

// A process that may not be signalled (another user's) still runs. Root
// asks as nobody about this test's own process; anyone else about the
// first process, root's on most systems.
TEST(ProcessIsRunning, AnotherUsersProcessCountsAsRunning) {
    const int64_t asker = CurrentProcessId();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        const bool root = geteuid() == 0;
        if (root && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(2);
        _exit(ProcessIsRunning(root ? asker : 1) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: could not become another user";
}

TEST(RemoveStaleTemporaryFiles, RemovesOnlyTheFilesOfEndedWrites) {
    TempFolder folder;
    Children children;
    const std::string path = folder.File("result.dat");
    auto temporary = [&](int64_t process) { return path + "." + std::to_string(process) + ".tmp"; };
    WriteBytes(path, "history");
    WriteBytes(temporary(children.ended), "torn");
    WriteBytes(temporary(children.running), "a running copy's write");
    WriteBytes(temporary(CurrentProcessId()), "left by an earlier process of our id");
    WriteBytes(folder.File("allocation.dat." + std::to_string(children.ended) + ".tmp"),
               "not ours");
    std::filesystem::create_directory(folder.File("result.dat.77.tmp"));  // a folder, not a file

    EXPECT_EQ(RemoveStaleTemporaryFiles(path.c_str()), 2);
    EXPECT_FALSE(std::filesystem::exists(temporary(children.ended)));
    EXPECT_FALSE(std::filesystem::exists(temporary(CurrentProcessId())));
    EXPECT_EQ(ReadBytes(temporary(children.running)), "a running copy's write");
    EXPECT_EQ(ReadBytes(path), "history");
    EXPECT_TRUE(std::filesystem::exists(
        folder.File("allocation.dat." + std::to_string(children.ended) + ".tmp")));
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("result.dat.77.tmp")));
}

TEST(RemoveStaleTemporaryFiles, AMissingFolderOrNoPathDoesNothing) {
    TempFolder folder;
    EXPECT_EQ(RemoveStaleTemporaryFiles(folder.File("no-such-folder/result.dat").c_str()), 0);
    EXPECT_EQ(RemoveStaleTemporaryFiles(""), 0);
    EXPECT_EQ(RemoveStaleTemporaryFiles(nullptr), 0);
}

// A bare file name means the working folder, as the game gives it.
TEST(RemoveStaleTemporaryFiles, ABareNameIsInTheWorkingFolder) {
    TempFolder folder;
    Children children;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const std::string stale = "result.dat." + std::to_string(children.ended) + ".tmp";
    WriteBytes(stale, "torn");
    EXPECT_EQ(RemoveStaleTemporaryFiles("result.dat"), 1);
    EXPECT_FALSE(std::filesystem::exists(stale));
    std::filesystem::current_path(before);
}

}  // namespace
}  // namespace koikoi
