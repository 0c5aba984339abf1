// Processes and folders on Windows and on POSIX systems.
#include "files/processes.h"

#include <limits>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <process.h>
#include <windows.h>
#else
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace koikoi {

int64_t CurrentProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

bool ProcessIsRunning(int64_t process) {
    // Ids outside the platform's range cannot be asked about (zero and
    // negative ids would ask about groups of processes): count them running.
    if (process <= 0 || process > std::numeric_limits<int32_t>::max()) return true;
#ifdef _WIN32
    HANDLE handle =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process));
    if (handle == nullptr) {
        // Only an invalid id says there is no such process; access denied
        // means it exists and belongs to someone else.
        return GetLastError() != ERROR_INVALID_PARAMETER;
    }
    // A process that has ended can still be opened while anyone holds a
    // handle to it; its exit code then says it is over.
    DWORD code = 0;
    const bool running = GetExitCodeProcess(handle, &code) == 0 || code == STILL_ACTIVE;
    CloseHandle(handle);
    return running;
#else
    // Signal 0 only asks whether the process could be signalled.
    if (kill(static_cast<pid_t>(process), 0) == 0) return true;
    return errno != ESRCH;
#endif
}

bool ListFiles(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
#ifdef _WIN32
    WIN32_FIND_DATAA entry{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.emplace_back(entry.cFileName);
    } while (FindNextFileA(search, &entry) != 0);
    FindClose(search);
    return true;
#else
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr) return false;
    while (const dirent* entry = readdir(directory)) {
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            const std::string path = folder + "/" + entry->d_name;
            isFolder = stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        }
        if (!isFolder) names.emplace_back(entry->d_name);
    }
    closedir(directory);
    return true;
#endif
}

}  // namespace koikoi
