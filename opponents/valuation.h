// Card valuation of the four computer opponents: the worth of one card to one side.
#pragma once

#include <array>
#include <cstdint>

#include "game/table.h"

namespace koikoi {

// The worth (>= 0) of a card to `side` (0 the human, 1 the computer) as
// opponent `opponent` (an OpponentId, 0..3) judges it at this moment of the
// day, from that side's YakuProgress and, for opponents 1 and 3, from the
// Owner codes of the card's month-mates.
//
// Only the low 8 bits of `card` count, read as a signed byte: a negative
// byte (-1 marks an empty MatchList element) and 48..127 are worth 0, so a
// whole MatchList can be summed without checking its elements. An opponent
// outside 0..3 or a side other than 0 and 1 also yields 0.
int32_t CardWorth(const Table& table, int32_t opponent, int32_t side, int32_t card);

// The valuation tables as the Weigher reads them. Every term of every row
// has one shape: its value for each value of its counter, clamped to -1..14,
// and the value it takes instead when the human holds its key card.
namespace worth_terms {

inline constexpr int32_t kLowestCounter = -1;
inline constexpr int32_t kCounterSteps = 16;
inline constexpr int32_t kNoKey = 63;  // a bit no card sets in the human's-piles mask
inline constexpr int32_t kTerms = 4;   // the most any row has: the graded sake cup

struct Term {
    uint8_t counter = 0;
    uint8_t key = kNoKey;
    uint8_t fallback = 0;
    uint8_t value[kCounterSteps] = {};
};

struct CardTerms {
    Term term[kTerms];
};

using Compiled = std::array<CardTerms, kCards>;

// By opponent and card, and how many terms each opponent's rows use.
extern const std::array<Compiled, kOpponents> kCompiled;
extern const std::array<int32_t, kOpponents> kTermCount;

}  // namespace worth_terms

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
    // Inline: the move choice weighs up to 32 cards a turn.
    Worths Worth(CardId card) const {
        const worth_terms::CardTerms& terms = worth_terms::kCompiled[static_cast<size_t>(opponent_)][static_cast<size_t>(card)];
        int32_t human = 0;
        int32_t computer = 0;
        for (int32_t t = 0; t < terms_; ++t) {
            const worth_terms::Term& term = terms.term[t];
            const bool keyTaken = ((humanPiles_ >> term.key) & 1U) != 0;
            human += keyTaken ? term.fallback : term.value[step_[0][term.counter]];
            computer += keyTaken ? term.fallback : term.value[step_[1][term.counter]];
        }
        return {human, computer};
    }

  private:
    uint64_t humanPiles_ = 0;          // bit c: card c in the human's piles
    uint8_t step_[2][YakuCount] = {};  // each side's counters, clamped for lookup
    int32_t opponent_ = 0;
    int32_t terms_ = 0;  // 0 for an unknown opponent: every card is worth nothing
};

}  // namespace koikoi
