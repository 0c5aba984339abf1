// The simulator's in-memory record file.
#include "tools/sim/month_records.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace koikoi::sim {

bool QuickReplacer::WriteDurably(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool QuickReplacer::MoveOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

MonthRecords::MonthRecords(std::string path, bool searchFile)
    : path_(std::move(path)), searchFile_(searchFile) {
    loaded_ = ReadRecordTable(path_.c_str(), table_);
    if (!loaded_ && searchFile_) {
        std::error_code error;
        // Only a file that is not there starts afresh; one that cannot be
        // read is left alone, and its months are reported as not recorded.
        if (!std::filesystem::exists(path_, error) && !error) {
            ClearRecords(table_);
            loaded_ = true;
        }
    }
}

void MonthRecords::Add(int32_t opponent, const GameResult& result) {
    for (const int8_t kan : result.months) {
        if (loaded_ && AddMonthResult(table_, searchFile_ ? 0 : opponent, kan)) {
            ++added_;
        } else {
            ++failures_;
        }
    }
}

int64_t MonthRecords::Save(FileReplacer& replacer) {
    const std::string bytes = searchFile_ ? FormatSearchRecords(table_) : FormatRecords(table_);
    if (added_ > 0 && !replacer.Replace(path_.c_str(), bytes)) failures_ += added_;
    added_ = 0;
    return failures_;
}

}  // namespace koikoi::sim
