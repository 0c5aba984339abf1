// The computer opponents, one row each: everything that tells one from
// another. The rest of the program iterates over this table, so another
// opponent is one more row and, where it plays differently, its own code.
// The first four judge by rules; the fifth searches (opponents/search.h),
// and plays in the browser edition and the simulator only.
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
    // Every choice made by the search instead: the valuation and the
    // koi-koi answer of the row are then never asked.
    bool searches;
};

// By OpponentId: 朱雀, 青龍, 白虎, 玄武, 黄龍.
// clang-format off
inline constexpr std::array<OpponentProfile, kAllOpponents> kOpponentTable = {{
    // name                 record colour    valuation                           koi-koi answer      searches
    {TextId::OpponentName0, {251, 152, 136}, Valuation::Flat,                    NeverPlayOn,        false},
    {TextId::OpponentName1, {74, 245, 167},  Valuation::Companion,               PlayOnWhileHumanFar, false},
    {TextId::OpponentName2, {237, 251, 220}, Valuation::Graded,                  PlayOnForSureSet,   false},
    {TextId::OpponentName3, {202, 175, 197}, Valuation::CompanionSparingBrights, PlayOnForLikelySet, false},
    {TextId::OpponentName4, {246, 214, 92},  Valuation::Graded,                  NeverPlayOn,        true},
}};
// clang-format on

// The row of an opponent that judges by rules (0..3), or null for any
// other identifier, the searching opponent's included.
constexpr const OpponentProfile* FindOpponent(int32_t opponent) {
    return opponent >= 0 && opponent < kOpponents ? &kOpponentTable[static_cast<size_t>(opponent)]
                                                  : nullptr;
}

// Whether the opponent of this identifier makes its choices by search.
constexpr bool Searches(int32_t opponent) {
    return opponent >= 0 && opponent < kAllOpponents &&
           kOpponentTable[static_cast<size_t>(opponent)].searches;
}

}  // namespace koikoi
