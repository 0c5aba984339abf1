// Bounded reading and all-or-nothing replacement of the two small data files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace koikoi {

// The line of `bytes` that starts at `start`, without its LF or CR LF end;
// moves `start` past it. Both data files are read in binary so that files
// written on either platform read the same.
std::string_view TakeLine(std::string_view bytes, size_t& start);

// Keeps, of a text fed in pieces, only what a fixed-width line reader can
// use: the first `maxColumns` characters of each of the first `maxLines`
// lines, each kept line ended by LF as in the input. Whatever a file holds,
// the kept text stays below maxLines * (maxColumns + 1) bytes, and a parser
// that looks at no more than maxColumns - 1 characters of a line after
// dropping a trailing CR reads the kept text exactly as the whole file.
class LinePrefixCollector {
  public:
    LinePrefixCollector(size_t maxLines, size_t maxColumns);

    // Takes the next piece of the input; false once no later byte can be kept.
    bool Feed(std::string_view piece);
    const std::string& Text() const { return text_; }

  private:
    size_t maxLines_;
    size_t maxColumns_;
    size_t lines_ = 0;
    size_t column_ = 0;
    std::string text_;
};

// Reads the file at `path` in binary through a LinePrefixCollector, so
// LF and CR LF files read the same on every platform. False when the file
// cannot be opened or read.
bool ReadLinePrefixes(const char* path, size_t maxLines, size_t maxColumns, std::string& out);

// Puts new content in place of a file so that a crash, a power cut or a full
// disk leaves either the old file or the new one, never a torn or empty one:
// the content goes to a temporary file in the same folder, is flushed to the
// disk, and then replaces the old file in one step. Each step is a virtual
// call so a test can make any one of them fail.
class FileReplacer {
  public:
    virtual ~FileReplacer() = default;

    // Writes `bytes` as the whole content of `path` (the old file, if any,
    // stays untouched until this returns true). False when nothing was
    // changed because a step failed; the temporary file is then gone. A file
    // the user may not write (read-only) is not replaced: false at once. The
    // new file keeps the old one's permission bits or attributes. The folder
    // must be writable, since the temporary file is made in it.
    bool Replace(const char* path, std::string_view bytes);

    // The temporary file's name: beside the file, so the final move stays
    // within one file system and is a single rename, and of this process.
    static std::string TemporaryPath(const char* path);

  protected:
    // Creates or empties `path`, writes `bytes` and flushes them to the disk.
    virtual bool WriteDurably(const std::string& path, std::string_view bytes);
    // Moves `from` over `to` in one step, replacing `to` if it exists.
    virtual bool MoveOver(const std::string& from, const std::string& to);
    virtual void Remove(const std::string& path);
};

}  // namespace koikoi
