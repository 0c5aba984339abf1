// The few questions about processes and folders that need the platform:
// the one seam the clean-up of temporary files goes through.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace koikoi {

int64_t CurrentProcessId();

// True while a process of that id exists, and whenever that cannot be told
// (a process of another user): a caller deciding whether a file is still
// in use must then keep it.
bool ProcessIsRunning(int64_t process);

// The names of the files in `folder` ("." for the working folder), without
// the folder; sub-folders are left out. False when the folder cannot be read.
bool ListFiles(const std::string& folder, std::vector<std::string>& names);

}  // namespace koikoi
