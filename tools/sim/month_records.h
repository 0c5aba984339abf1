// The simulator's record file: kept in memory for the whole run through the
// game's own record code, and written once at the end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "files/file_io.h"
#include "files/records.h"
#include "tools/sim/simulator.h"

namespace koikoi::sim {

// The record file of a throwaway folder is replaced in one step like the
// game's, but neither it nor its folder is flushed to the disk first: the
// folder is deleted at the end of the run.
class QuickReplacer final : public FileReplacer {
  protected:
    bool WriteDurably(const std::string& path, std::string_view bytes) override;
    bool MoveOver(const std::string& from, const std::string& to) override;
};

// Read once at the start, every settled month added in game order, written
// once at the end: the file ends as the game's month-by-month writes would
// leave it.
class MonthRecords {
  public:
    // With `searchFile` the file is the searching opponent's own
    // (kSearchRecordFile): every month goes into its one block, and a file
    // not there yet starts an empty record.
    explicit MonthRecords(std::string path, bool searchFile = false);

    void Add(int32_t opponent, const GameResult& result);
    // Writes the file if any month was added; returns the months that could
    // not be recorded (all of them when the file could not be read at the
    // start or not be replaced now).
    int64_t Save(FileReplacer& replacer);
    // Whether the file could be read at the start.
    bool Found() const { return loaded_; }

  private:
    std::string path_;
    RecordTable table_{};
    bool searchFile_ = false;
    bool loaded_ = false;
    int64_t added_ = 0;
    int64_t failures_ = 0;
};

}  // namespace koikoi::sim
