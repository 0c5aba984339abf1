// The card sheet "hanaX.bmp": whether the file is a whole Windows bitmap.
#include "files/card_sheet.h"

#include <cstdio>
#include <string>

namespace koikoi {

namespace {

// BITMAPFILEHEADER is 14 bytes; the info header follows it.
constexpr size_t kFileHeader = 14;
constexpr uint32_t kCoreHeader = 12;  // BITMAPCOREHEADER: 16-bit width and height
constexpr uint32_t kInfoHeader = 40;  // BITMAPINFOHEADER and its longer successors
constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
// A picture larger than this in either direction is no card sheet.
constexpr int64_t kLargestSide = 1 << 15;

uint32_t U16(std::string_view b, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8;
}

uint32_t U32(std::string_view b, size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

bool KnownDepth(uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

SheetStatus CheckBitmapBytes(std::string_view head, uint64_t fileSize) {
    if (head.size() < kFileHeader + kCoreHeader || head[0] != 'B' || head[1] != 'M') {
        return SheetStatus::Damaged;
    }
    const uint32_t pixelOffset = U32(head, 10);
    const uint32_t headerSize = U32(head, 14);
    int64_t width = 0;
    int64_t height = 0;
    uint32_t planes = 0;
    uint32_t bits = 0;
    uint32_t compression = kRgb;
    if (headerSize == kCoreHeader) {
        width = U16(head, 18);
        height = U16(head, 20);
        planes = U16(head, 22);
        bits = U16(head, 24);
    } else if (headerSize >= kInfoHeader && head.size() >= kFileHeader + kInfoHeader) {
        width = static_cast<int32_t>(U32(head, 18));
        height = static_cast<int32_t>(U32(head, 22));
        planes = U16(head, 26);
        bits = U16(head, 28);
        compression = U32(head, 30);
    } else {
        return SheetStatus::Damaged;
    }
    // A negative height is a picture stored top row first.
    if (height < 0) height = -height;
    if (width <= 0 || height == 0 || width > kLargestSide || height > kLargestSide || planes != 1 ||
        !KnownDepth(bits) || pixelOffset < kFileHeader + headerSize || pixelOffset >= fileSize) {
        return SheetStatus::Damaged;
    }
    if (compression == kRle8 || compression == kRle4) {
        // Run-length pixels have no fixed size; they must at least begin.
        return SheetStatus::Ok;
    }
    if (compression != kRgb && compression != kBitFields) {
        return SheetStatus::Damaged;
    }
    // Rows are padded to whole 32-bit words.
    const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    const uint64_t end = pixelOffset + stride * static_cast<uint64_t>(height);
    return end <= fileSize ? SheetStatus::Ok : SheetStatus::Damaged;
}

SheetStatus CheckCardSheet(const char* path) {
    if (path == nullptr) return SheetStatus::NotFound;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return SheetStatus::NotFound;
    char head[kFileHeader + kInfoHeader];
    const size_t got = std::fread(head, 1, sizeof head, file);
    // A read error (a folder opened as a file on POSIX) is no bitmap.
    const bool failed = std::ferror(file) != 0;
    const bool sized = std::fseek(file, 0, SEEK_END) == 0;
    const long size = sized ? std::ftell(file) : -1;
    std::fclose(file);
    if (failed || size < 0) return SheetStatus::NotFound;
    return CheckBitmapBytes(std::string_view(head, got), static_cast<uint64_t>(size));
}

}  // namespace koikoi
