// The simulator's in-memory record file ends byte for byte as the game's
// month-by-month writes would leave it, including a block that overflows,
// and counts every month as lost when the file cannot be read.
#include "tools/sim/month_records.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "files/layout.h"
#include "files/records.h"
#include "tools/sim/runner.h"

namespace koikoi {
namespace {

namespace fs = std::filesystem;

class Folder {
  public:
    Folder()
        : path_(fs::temp_directory_path() / ("koikoi-month-records-" + std::to_string(getpid()))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string File(const char* name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(MonthRecords, EndsAsTheGamesOwnWritesWould) {
    SlotPositions positions{};
    ASSERT_EQ(LoadLayout(KOIKOI_DATA_DIR "/allocation.dat", positions), LayoutStatus::Ok);
    Folder folder;
    // Opponent 2's block nearly full, so the run also drops its oldest months.
    RecordTable start;
    ClearRecords(start);
    for (int32_t i = 0; i < kRecordBlockPositions - 30; ++i)
        AddMonthResult(start, 2, i % 3 == 0 ? 2 : -1);
    const std::string startBytes = FormatRecords(start);
    Write(folder.File("memory.dat"), startBytes);
    Write(folder.File("each.dat"), startBytes);

    sim::MonthRecords records(folder.File("memory.dat"));
    sim::RunSettings settings;
    settings.first.opponent = 2;
    settings.first.seed = 300;
    settings.games = 6;
    settings.jobs = 2;
    int64_t months = 0;
    sim::RunGames(settings, positions, [&](int64_t, const sim::GameResult& result) {
        records.Add(2, result);
        for (const int8_t kan : result.months) {
            ASSERT_EQ(RecordMonthResult(folder.File("each.dat").c_str(), 2, kan), RecordStatus::Ok);
            ++months;
        }
    });
    ASSERT_GT(months, 30);
    sim::QuickReplacer replacer;
    EXPECT_EQ(records.Save(replacer), 0);
    EXPECT_EQ(Read(folder.File("memory.dat")), Read(folder.File("each.dat")));
}

TEST(MonthRecords, AnUnreadableFileLosesEveryMonthAndIsNotWritten) {
    Folder folder;
    sim::MonthRecords records(folder.File("missing.dat"));
    EXPECT_FALSE(records.Found());  // reported as "Could not find file.", not as a failed write
    sim::GameResult result;
    result.months = {1, -2, 3};
    records.Add(0, result);
    sim::QuickReplacer replacer;
    EXPECT_EQ(records.Save(replacer), 3);
    EXPECT_FALSE(fs::exists(folder.File("missing.dat")));
}

}  // namespace
}  // namespace koikoi
