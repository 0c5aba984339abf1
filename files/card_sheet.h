// The card sheet "hanaX.bmp": whether the file is a whole Windows bitmap.
#pragma once

#include <cstdint>
#include <string_view>

namespace koikoi {

enum class SheetStatus : int32_t {
    Ok,        // a bitmap whose pixels are all in the file
    NotFound,  // the file could not be opened or read
    Damaged,   // not a bitmap, or cut short before the end of its pixels
};

// Checks the start of a bitmap file (its file and info headers; 54 bytes are
// enough) against the file's whole size: the "BM" mark, a header the loader
// knows, a sane width, height, plane count and depth, and pixel rows that
// end within the file. Any size of picture passes: the loader scales it.
SheetStatus CheckBitmapBytes(std::string_view head, uint64_t fileSize);

// The same for the file at `path`.
SheetStatus CheckCardSheet(const char* path);

}  // namespace koikoi
