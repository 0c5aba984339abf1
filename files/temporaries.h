// Temporary files left behind by a crash in the middle of a file write.
//
// A write puts the new content in "<file>.<process id>.tmp" beside the file
// and then moves it over the file (FileReplacer). A process that dies
// between the two steps leaves the temporary file behind. At start-up the
// program removes those whose process no longer runs; one whose process
// still runs may be a running copy of the game halfway through its own
// write, and stays.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace koikoi {

// The process id in `name` when it is a temporary file of the file named
// `target` (both names without a folder): `target`, a dot, the id in
// decimal digits as a process writes it, and ".tmp".
std::optional<int64_t> TemporaryFileOwner(std::string_view name, std::string_view target);

// Of the names in a folder, the temporary files of `target` to remove:
// those whose process is not running. `self` is the calling process, which
// has written nothing yet at start-up, so a file in its id was left by an
// earlier process that had the same id.
std::vector<std::string> StaleTemporaryFiles(const std::vector<std::string>& names,
                                             std::string_view target, int64_t self,
                                             const std::function<bool(int64_t)>& isRunning);

// Removes the stale temporary files of the file at `path`; call it at
// start-up, before this process writes the file. Returns how many went.
int32_t RemoveStaleTemporaryFiles(const char* path);

}  // namespace koikoi
