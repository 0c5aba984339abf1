// Finding and removing the temporary files of crashed writes.
#include "files/temporaries.h"

#include <cstdio>
#include <limits>

#include "files/processes.h"

namespace koikoi {

std::optional<int64_t> TemporaryFileOwner(std::string_view name, std::string_view target) {
    constexpr std::string_view kSuffix = ".tmp";
    // Process ids fit in 31 bits on both platforms: at most ten digits.
    constexpr size_t kMaxDigits = 10;
    if (target.empty() || name.size() <= target.size() + 1 + kSuffix.size()) return std::nullopt;
    if (name.substr(0, target.size()) != target || name[target.size()] != '.') return std::nullopt;
    if (name.substr(name.size() - kSuffix.size()) != kSuffix) return std::nullopt;
    const std::string_view digits =
        name.substr(target.size() + 1, name.size() - target.size() - 1 - kSuffix.size());
    // A process writes its id without sign or leading zero.
    if (digits.size() > kMaxDigits || digits.front() == '0') return std::nullopt;
    int64_t process = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        process = process * 10 + (c - '0');
    }
    if (process > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return process;
}

std::vector<std::string> StaleTemporaryFiles(const std::vector<std::string>& names,
                                             std::string_view target, int64_t self,
                                             const std::function<bool(int64_t)>& isRunning) {
    std::vector<std::string> stale;
    for (const std::string& name : names) {
        const std::optional<int64_t> owner = TemporaryFileOwner(name, target);
        if (owner && (*owner == self || !isRunning(*owner))) stale.push_back(name);
    }
    return stale;
}

int32_t RemoveStaleTemporaryFiles(const char* path) {
    if (path == nullptr || *path == '\0') return 0;
    const std::string whole(path);
#ifdef _WIN32
    const size_t slash = whole.find_last_of("/\\");
#else
    const size_t slash = whole.find_last_of('/');
#endif
    const std::string folder =
        slash == std::string::npos ? std::string(".") : whole.substr(0, slash == 0 ? 1 : slash);
    const std::string prefix =
        slash == std::string::npos ? std::string() : whole.substr(0, slash + 1);
    const std::string target = slash == std::string::npos ? whole : whole.substr(slash + 1);

    std::vector<std::string> names;
    if (!ListFiles(folder, names)) return 0;
    int32_t removed = 0;
    for (const std::string& name :
         StaleTemporaryFiles(names, target, CurrentProcessId(), ProcessIsRunning)) {
        if (std::remove((prefix + name).c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace koikoi
