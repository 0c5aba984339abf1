// The bounded line reader and the all-or-nothing file replacement, with the
// failures a full disk or a refused rename would bring.
#include "files/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "files/layout.h"
#include "files/records.h"
#include "tests/files/temp_folder.h"
#include "tests/test_seed.h"

namespace koikoi {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Writes part of the content for real and then reports the disk full, as a
// failing write leaves a torn temporary file behind.
class DiskFullReplacer : public FileReplacer {
  protected:
    bool WriteDurably(const std::string& path, std::string_view bytes) override {
        writtenTo = path;
        FileReplacer::WriteDurably(path, bytes.substr(0, bytes.size() / 2));
        return false;
    }

  public:
    std::string writtenTo;
};

// Writes the temporary file for real and then fails the final move.
class RenameRefusedReplacer : public FileReplacer {
  protected:
    bool MoveOver(const std::string& from, const std::string&) override {
        temporaryExisted = std::filesystem::exists(from);
        return false;
    }

  public:
    bool temporaryExisted = false;
};

std::string OldRecords() {
    RecordTable table;
    ClearRecords(table);
    for (int32_t i = 0; i < 100; ++i) AddMonthResult(table, i % 4, i % 3 + 1);
    return FormatRecords(table);
}

TEST(FileReplacer, ReplacesTheContentAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.File("result.dat");
    FileReplacer replacer;
    ASSERT_TRUE(replacer.Replace(path.c_str(), "first"));
    ASSERT_TRUE(replacer.Replace(path.c_str(), "second, longer"));
    EXPECT_EQ(ReadBytes(path), "second, longer");
    EXPECT_FALSE(std::filesystem::exists(FileReplacer::TemporaryPath(path.c_str())));
}

TEST(FileReplacer, AStaleTemporaryFileFromACrashIsOverwritten) {
    TempFolder folder;
    const std::string path = folder.File("result.dat");
    WriteBytes(FileReplacer::TemporaryPath(path.c_str()), std::string(10000, 'z'));
    ASSERT_EQ(ResetRecords(path.c_str()), RecordStatus::Ok);
    EXPECT_EQ(ReadBytes(path).size(), kRecordFileBytes);
    EXPECT_FALSE(std::filesystem::exists(FileReplacer::TemporaryPath(path.c_str())));
}

TEST(FileReplacer, AFailedWriteKeepsTheOldFileByteForByte) {
    TempFolder folder;
    const std::string path = folder.File("result.dat");
    const std::string old = OldRecords();
    WriteBytes(path, old);

    DiskFullReplacer diskFull;
    EXPECT_EQ(RecordMonthResult(path.c_str(), 2, 3, diskFull), RecordStatus::WriteFailed);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(diskFull.writtenTo, FileReplacer::TemporaryPath(path.c_str()));
    EXPECT_FALSE(std::filesystem::exists(diskFull.writtenTo));

    EXPECT_EQ(ResetRecords(path.c_str(), diskFull), RecordStatus::WriteFailed);
    EXPECT_EQ(ReadBytes(path), old);
}

TEST(FileReplacer, ARefusedRenameKeepsTheOldFileByteForByte) {
    TempFolder folder;
    const std::string path = folder.File("result.dat");
    const std::string old = OldRecords();
    WriteBytes(path, old);

    RenameRefusedReplacer refused;
    EXPECT_EQ(RecordMonthResult(path.c_str(), 0, -1, refused), RecordStatus::WriteFailed);
    EXPECT_TRUE(refused.temporaryExisted);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_FALSE(std::filesystem::exists(FileReplacer::TemporaryPath(path.c_str())));
}

TEST(FileReplacer, WritingBelowAFileThatIsNoFolderFails) {
    TempFolder folder;
    WriteBytes(folder.File("plain"), "x");
    const std::string path = folder.File("plain") + "/result.dat";
    EXPECT_EQ(ResetRecords(path.c_str()), RecordStatus::WriteFailed);
    EXPECT_EQ(ReadBytes(folder.File("plain")), "x");
}

TEST(FileReplacer, AFolderInPlaceOfTheFileIsNeitherReadNorReplaced) {
    TempFolder folder;
    const std::string path = folder.File("result.dat");
    std::filesystem::create_directory(path);
    EXPECT_EQ(ResetRecords(path.c_str()), RecordStatus::WriteFailed);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_FALSE(std::filesystem::exists(FileReplacer::TemporaryPath(path.c_str())));
    EXPECT_EQ(RecordMonthResult(path.c_str(), 0, 1), RecordStatus::NotFound);
}

// Runs `check` as a user whom file permissions bind: this process when it
// is not root, else a child process that has given root up for the user
// nobody (65534), after handing the folder to that user. Returns the
// check's result, a description of the first thing that went wrong or "".
template <typename Check>
std::string AsUnprivileged(const TempFolder& folder, Check check) {
    if (geteuid() != 0) return check();
    constexpr uid_t kNobody = 65534;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) {
        if (lchown(entry.path().c_str(), kNobody, kNobody) != 0) return "chown failed";
    }
    if (chown(folder.Path().c_str(), kNobody, kNobody) != 0) return "chown failed";
    int channel[2];
    if (pipe(channel) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        std::string result =
            setgid(kNobody) == 0 && setuid(kNobody) == 0 ? check() : "setuid failed";
        if (write(channel[1], result.data(), result.size()) < 0) result.clear();
        _exit(0);
    }
    close(channel[1]);
    std::string result;
    char buffer[256];
    ssize_t got;
    while ((got = read(channel[0], buffer, sizeof buffer)) > 0) {
        result.append(buffer, static_cast<size_t>(got));
    }
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? result : "the check crashed";
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// A record the user made read-only is protected: neither a month nor a
// reset replaces it (a rename would, and leave a writable file behind).
TEST(FileReplacer, AReadOnlyFileStaysAsItIsAndReadOnly) {
    TempFolder folder;
    const std::string path = folder.File("result.dat");
    const std::string old = OldRecords();
    WriteBytes(path, old);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const std::string failure = AsUnprivileged(folder, [&]() -> std::string {
        if (RecordMonthResult(path.c_str(), 1, 2) != RecordStatus::WriteFailed)
            return "month written";
        if (ResetRecords(path.c_str()) != RecordStatus::WriteFailed) return "reset written";
        return "";
    });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(ModeOf(path), 0444u);
    EXPECT_FALSE(std::filesystem::exists(FileReplacer::TemporaryPath(path.c_str())));
}

// The temporary file is made beside the record, so a folder the user may
// not write in refuses the record, which says so; the old file stays.
TEST(FileReplacer, AFolderThatRefusesNewFilesKeepsTheOldRecord) {
    TempFolder folder;
    const std::string path = folder.File("result.dat");
    const std::string old = OldRecords();
    WriteBytes(path, old);
    const std::string failure = AsUnprivileged(folder, [&]() -> std::string {
        if (chmod(folder.Path().c_str(), 0555) != 0) return "chmod failed";
        const RecordStatus month = RecordMonthResult(path.c_str(), 1, 2);
        const RecordStatus reset = ResetRecords(path.c_str());
        chmod(folder.Path().c_str(), 0755);
        if (month != RecordStatus::WriteFailed) return "month written";
        if (reset != RecordStatus::WriteFailed) return "reset written";
        return "";
    });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(ReadBytes(path), old);
}

TEST(FileReplacer, TheNewFileKeepsTheOldOnesPermissions) {
    TempFolder folder;
    const std::string path = folder.File("result.dat");
    WriteBytes(path, OldRecords());
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(RecordMonthResult(path.c_str(), 1, 2), RecordStatus::Ok);
    EXPECT_EQ(ModeOf(path), 0640u);
    ASSERT_EQ(chmod(path.c_str(), 0604), 0);
    ASSERT_EQ(ResetRecords(path.c_str()), RecordStatus::Ok);
    EXPECT_EQ(ModeOf(path), 0604u);
}

TEST(LinePrefixCollector, KeepsOnlyTheWantedPrefixOfTheWantedLines) {
    LinePrefixCollector collector(2, 3);
    EXPECT_TRUE(collector.Feed("abcdef\nxy"));
    EXPECT_FALSE(collector.Feed("z\r\nthird line\n"));
    EXPECT_EQ(collector.Text(), "abc\nxyz\n");
}

// Random files of the characters that matter (line ends, digits, blanks,
// signs) fed in random pieces must read as the whole file does.
TEST(LinePrefixCollector, ParsersReadTheKeptTextAsTheWholeFile) {
    // A new seed each run; KOIKOI_TEST_SEED replays a failure.
    const testing::TestSeed seed(std::random_device{}());
    std::mt19937 random(static_cast<uint32_t>(seed.value()));
    const char alphabet[] = "\r\n\n 0123456789-+3333x";
    for (int32_t round = 0; round < 300; ++round) {
        std::string file(random() % 9000, ' ');
        for (char& c : file) c = alphabet[random() % (sizeof alphabet - 1)];

        LinePrefixCollector layoutKept(kLayoutLines, kLayoutUsedColumns + 1);
        LinePrefixCollector recordsKept(kRecordLines, kRecordColumns + 1);
        for (size_t at = 0; at < file.size();) {
            const size_t piece = 1 + random() % 200;
            layoutKept.Feed(std::string_view(file).substr(at, piece));
            recordsKept.Feed(std::string_view(file).substr(at, piece));
            at += piece;
        }
        SlotPositions whole;
        SlotPositions kept;
        ParseLayout(file, whole);
        ParseLayout(layoutKept.Text(), kept);
        for (SlotId slot = 0; slot < kSlots; ++slot) {
            ASSERT_EQ(whole.x[slot], kept.x[slot]);
            ASSERT_EQ(whole.y[slot], kept.y[slot]);
        }
        RecordTable wholeTable;
        RecordTable keptTable;
        ParseRecords(file, wholeTable);
        ParseRecords(recordsKept.Text(), keptTable);
        ASSERT_EQ(wholeTable.codes, keptTable.codes);
    }
}

}  // namespace
}  // namespace koikoi
