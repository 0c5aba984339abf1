// Where the board's pictures lie in the card sheet, the board's colours and
// the texts' buffer: the painter's data that every board layout shares
// (where the pictures go is each layout's own, board_geometry.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "game/cards.h"
#include "game/slot_positions.h"
#include "game/table.h"
#include "game/texts.h"
#include "opponents/roster.h"
#include "presentation/board_geometry.h"
#include "presentation/canvas.h"

namespace koikoi {

// A rectangle of the card sheet, copied unscaled.
struct SheetCell {
    int32_t x, y, width, height;
};

// The card sheet "hanaX.bmp" (819 x 932): twelve month columns of 63 x 104
// faces, four rows for the first set and four for the second set (the
// computer's captures), then one column from x = 756 for the back, the month
// markers and the combination labels, and a strip from y = 832 with the small
// pieces, one row per side.
inline constexpr int32_t kSheetWidth = 819;
inline constexpr int32_t kSheetHeight = 932;

enum class FaceSet : uint8_t { First, Second };

constexpr SheetCell FaceCell(CardId card, FaceSet set) {
    const int32_t row = card % 4 + (set == FaceSet::Second ? 4 : 0);
    return {kCardWidth * MonthOf(card), kCardHeight * row, kCardWidth, kCardHeight};
}

inline constexpr SheetCell kBackCell = {756, 0, 63, 104};

// Month m of 1..12; outside that range the cell would cut into other pictures.
constexpr SheetCell MonthMarkerCell(int32_t month) {
    return {756, 104 + 30 * month, 60, 30};
}

// Combination k in the order of YakuScore.
constexpr SheetCell YakuLabelCell(int32_t yaku) {
    return {756, 494 + 20 * yaku, 50, 20};
}

inline constexpr SheetCell kHandPromptCell = {616, 852, 200, 20};
inline constexpr SheetCell kFieldPromptCell = {616, 892, 200, 20};

// The small pieces of one side's row of the strip.
struct SidePieces {
    SheetCell koiBadge;
    SheetCell counterLabel[3];  // TurnGain, TodayMon, MonthMon
    SheetCell kanLabel;
    SheetCell tenKan;
    SheetCell fiveKan;
    SheetCell oneKan;
    SheetCell pip;  // one mon
};

// Side s's row of the strip lies at y = 852 + 40 * s.
inline constexpr SidePieces kSheetPieces[2] = {
    {
        .koiBadge = {748, 832, 50, 20},
        .counterLabel = {{300, 852, 50, 20}, {350, 852, 50, 20}, {400, 852, 50, 20}},
        .kanLabel = {450, 852, 50, 20},
        .tenKan = {502, 852, 22, 20},
        .fiveKan = {548, 852, 20, 20},
        .oneKan = {584, 852, 16, 20},
        .pip = {600, 852, 8, 10},
    },
    {
        .koiBadge = {748, 872, 50, 20},
        .counterLabel = {{300, 892, 50, 20}, {350, 892, 50, 20}, {400, 892, 50, 20}},
        .kanLabel = {450, 892, 50, 20},
        .tenKan = {502, 892, 22, 20},
        .fiveKan = {548, 892, 20, 20},
        .oneKan = {584, 892, 16, 20},
        .pip = {600, 892, 8, 10},
    },
};

// In Japanese the labels of the board are the sheet's pictures; in another
// language each is drawn as its text over the same place, on the colour of
// the picture's box (`back`) in the colour of its letters (`ink`).
struct LabelLook {
    Rgb back, ink;
};
inline constexpr Rgb kLabelInk = {0, 0, 0};
inline constexpr Rgb kLabelLightInk = {255, 255, 255};
// By combination, in the order of YakuScore.
inline constexpr LabelLook kYakuLabelLooks[YakuCount] = {
    {{242, 193, 46}, kLabelInk},     {{246, 216, 106}, kLabelInk},
    {{207, 42, 47}, kLabelLightInk}, {{42, 72, 168}, kLabelLightInk},
    {{123, 74, 34}, kLabelLightInk}, {{245, 179, 198}, kLabelInk},
    {{38, 40, 74}, kLabelLightInk},  {{223, 233, 200}, kLabelInk},
    {{243, 214, 208}, kLabelInk},    {{232, 228, 216}, kLabelInk},
};
// The side's counter and kan labels and its koi-koi badge, by side.
inline constexpr Rgb kSideLabelBack[2] = {{209, 248, 246}, {246, 216, 244}};
inline constexpr Rgb kPromptBack = {255, 246, 200};
// The month marker keeps its picture of the month's flower, the left
// kMarkerFlowerWidth pixels of its cell; its name is written over the rest.
inline constexpr int32_t kMarkerFlowerWidth = 22;
inline constexpr Rgb kMarkerBack = {252, 248, 236};
inline constexpr TextFont kLabelFont = {12, false};
inline constexpr TextFont kPromptFont = {14, true};
inline constexpr TextFont kMarkerFont = {14, true};

// Colours (red, green, blue).
inline constexpr Rgb kFeltColour = {34, 139, 34};
inline constexpr Rgb kAnnouncementColour = {250, 220, 22};

// Announcements and turn labels are built in a buffer of this size; the
// longest is 41 bytes with its terminating zero.
inline constexpr int32_t kTextBufferSize = 64;

// Appends a text, cutting it at the buffer's end; the result stays
// terminated. No text comes near the limit, but a cut text is better than a
// write past the buffer.
inline void AppendText(char (&buffer)[kTextBufferSize], const char* text) {
    const size_t used = std::strlen(buffer);
    const size_t room = sizeof buffer - 1 - used;
    size_t length = std::strlen(text);
    if (length > room) length = room;
    std::memcpy(buffer + used, text, length);
    buffer[used + length] = '\0';
}

// The opponent's name as the board, the guide page and the record table
// show it. An identifier no opponent has names nobody rather than reading
// past the table.
constexpr const char* OpponentName(uint32_t opponentId, Language language = Language::Japanese) {
    const bool known = opponentId < static_cast<uint32_t>(kOpponents);
    return known ? Text(language, kOpponentTable[opponentId].name) : "";
}

}  // namespace koikoi
