// Card valuation of the four computer opponents: the worth of one card to one side.
#pragma once

#include <cstdint>

#include "game/table.h"

namespace koikoi {

// The valuation tables an opponent may judge cards by: the flat table, the
// graded table, and the companion table in its two columns (the second has
// smaller values for brights and for the cards of bright months).
enum class Valuation : uint8_t { Flat, Companion, Graded, CompanionSparingBrights };
inline constexpr int32_t kValuations = 4;

// The worth (>= 0) of a card to `side` (0 the human, 1 the computer) as
// opponent `opponent` (an OpponentId, 0..3) judges it at this moment of the
// day, by the valuation of the opponent's row of the opponent table: from
// that side's YakuProgress and, for the companion tables, from the Owner
// codes of the card's month-mates.
//
// Only the low 8 bits of `card` count, read as a signed byte: a negative
// byte (-1 marks an empty MatchList element) and 48..127 are worth 0, so a
// whole MatchList can be summed without checking its elements. An opponent
// no row has or a side other than 0 and 1 also yields 0.
int32_t CardWorth(const Table& table, int32_t opponent, int32_t side, int32_t card);

// CardWorth of every card to both sides at one moment: entry c of each row
// for card c (0..47), 0 beyond.
struct EveryWorth {
    uint8_t human[64];
    uint8_t computer[64];
};

// Fills `worths` at once where the processor has the wide byte permutes for
// it (AVX-512 with VBMI and BITALG) and returns true; elsewhere returns
// false and fills nothing, and the caller weighs the cards it needs with a
// Weigher.
bool WeighEveryCard(const Table& table, int32_t opponent, EveryWorth& worths);

// CardWorth for many cards of one moment: the counters and the human's piles
// are read once, when the Weigher is made, and each card then costs a few
// lookups. Worth takes a card 0..47 and gives what CardWorth gives for it.
class Weigher {
  public:
    struct Worths {
        int32_t human;
        int32_t computer;
    };

    Weigher(const Table& table, int32_t opponent);
    Worths Worth(CardId card) const;

  private:
    uint64_t humanPiles_ = 0;          // bit c: card c in the human's piles
    uint8_t step_[2][YakuCount] = {};  // each side's counters, clamped for lookup
    int32_t valuation_ = 0;
    int32_t terms_ = 0;  // 0 for an unknown opponent: every card is worth nothing
};

}  // namespace koikoi
