// The computer opponents, one row each: everything that tells one from
// another. The rest of the program iterates over this table, so another
// opponent is one more row and, where it plays differently, its own code.
#pragma once

#include <array>
#include <cstdint>

#include "game/table.h"
#include "game/texts.h"
#include "opponents/koikoi_decision.h"
#include "opponents/valuation.h"

namespace koikoi {

// The colour of an opponent's row in the record table (red, green, blue).
struct OpponentColour {
    uint8_t r, g, b;
};

struct OpponentProfile {
    TextId name;  // as the board, the guide page and the record table show it
    OpponentColour colour;
    Valuation valuation;
    // kYes to call koi-koi and play on, kNo to stop and win the day; asked
    // after a play of the computer made or improved a combination.
    int32_t (*decideKoiKoi)(const Table& table);
};

// By OpponentId: 朱雀, 青龍, 白虎, 玄武.
// clang-format off
inline constexpr std::array<OpponentProfile, kOpponents> kOpponentTable = {{
    // name                 record colour    valuation                           koi-koi answer
    {TextId::OpponentName0, {251, 152, 136}, Valuation::Flat,                    NeverPlayOn},
    {TextId::OpponentName1, {74, 245, 167},  Valuation::Companion,               PlayOnWhileHumanFar},
    {TextId::OpponentName2, {237, 251, 220}, Valuation::Graded,                  PlayOnForSureSet},
    {TextId::OpponentName3, {202, 175, 197}, Valuation::CompanionSparingBrights, PlayOnForLikelySet},
}};
// clang-format on

// The row of an OpponentId, or null for an identifier no opponent has.
constexpr const OpponentProfile* FindOpponent(int32_t opponent) {
    return opponent >= 0 && opponent < kOpponents ? &kOpponentTable[static_cast<size_t>(opponent)]
                                                  : nullptr;
}

}  // namespace koikoi
