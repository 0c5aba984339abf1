// Bounded reading and all-or-nothing replacement of the two small data files.
#include "files/file_io.h"

#include <cstdio>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace koikoi {

std::string_view TakeLine(std::string_view bytes, size_t& start) {
    const size_t end = bytes.find('\n', start);
    std::string_view line =
        bytes.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    start = end == std::string_view::npos ? bytes.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

LinePrefixCollector::LinePrefixCollector(size_t maxLines, size_t maxColumns)
    : maxLines_(maxLines), maxColumns_(maxColumns) {}

bool LinePrefixCollector::Feed(std::string_view piece) {
    for (char c : piece) {
        if (lines_ >= maxLines_) return false;
        if (c == '\n') {
            text_.push_back('\n');
            ++lines_;
            column_ = 0;
        } else if (column_ < maxColumns_) {
            text_.push_back(c);
            ++column_;
        }
    }
    return lines_ < maxLines_;
}

bool ReadLinePrefixes(const char* path, size_t maxLines, size_t maxColumns, std::string& out) {
    out.clear();
    if (path == nullptr) return false;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    LinePrefixCollector collector(maxLines, maxColumns);
    char buffer[4096];
    bool wanted = true;
    while (wanted) {
        const size_t got = std::fread(buffer, 1, sizeof buffer, file);
        if (got == 0) break;
        wanted = collector.Feed(std::string_view(buffer, got));
    }
    // A read error (a folder opened as a file on POSIX, a failing disk) is
    // not an end of file: the caller must not take a cut text for the file.
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return false;
    out = collector.Text();
    return true;
}

namespace {

// Pushes what the C library has handed to the system on to the disk itself.
bool SyncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

#ifdef _WIN32
std::wstring Widen(const std::string& path) {
    // Paths reach the program in the ANSI code page, as fopen takes them.
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}
#else
// Makes the rename itself survive a power cut; best effort, since some file
// systems refuse to sync a folder and the new content is on the disk anyway.
void SyncFolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    (void)fsync(fd);
    close(fd);
}
#endif

// A file the user has made read-only (the read-only attribute on Windows, no
// write permission for this user on POSIX) is protected: replacing it by a
// rename would put a new, writable file in its place and undo that.
bool Writable(const std::string& path) {
#ifdef _WIN32
    const std::wstring wide = Widen(path);
    if (wide.empty()) return false;
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
#else
    return access(path.c_str(), W_OK) == 0 || errno == ENOENT;
#endif
}

// The new file takes the old one's place, and with it what the user set on
// the old one: its permission bits on POSIX, its hidden, system and archive
// attributes on Windows. Best effort: the content matters more.
void KeepAttributes(const std::string& from, const std::string& to) {
#ifdef _WIN32
    const std::wstring wideFrom = Widen(from);
    const std::wstring wideTo = Widen(to);
    const DWORD attributes = GetFileAttributesW(wideFrom.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return;
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    (void)SetFileAttributesW(wideTo.c_str(), attributes & kKept);
#else
    struct stat old {};
    if (stat(from.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return;
    (void)chmod(to.c_str(), old.st_mode & 07777);
#endif
}

}  // namespace

std::string FileReplacer::TemporaryPath(const char* path) {
    // The process id keeps two running copies of the game from writing into
    // one temporary file and moving each other's half-written content.
#ifdef _WIN32
    const long long process = _getpid();
#else
    const long long process = getpid();
#endif
    return std::string(path) + "." + std::to_string(process) + ".tmp";
}

bool FileReplacer::Replace(const char* path, std::string_view bytes) {
    if (path == nullptr || *path == '\0') return false;
    const std::string target(path);
    if (!Writable(target)) return false;
    const std::string temporary = TemporaryPath(path);
    if (!WriteDurably(temporary, bytes)) {
        Remove(temporary);
        return false;
    }
    KeepAttributes(target, temporary);
    if (!MoveOver(temporary, target)) {
        Remove(temporary);
        return false;
    }
    return true;
}

bool FileReplacer::WriteDurably(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = ok && std::fflush(file) == 0 && SyncToDisk(file);
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

bool FileReplacer::MoveOver(const std::string& from, const std::string& to) {
#ifdef _WIN32
    const std::wstring wideFrom = Widen(from);
    const std::wstring wideTo = Widen(to);
    if (wideFrom.empty() || wideTo.empty()) return false;
    return MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    if (std::rename(from.c_str(), to.c_str()) != 0) return false;
    SyncFolderOf(to);
    return true;
#endif
}

void FileReplacer::Remove(const std::string& path) {
    (void)std::remove(path.c_str());
}

}  // namespace koikoi
