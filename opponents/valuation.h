// Card valuation of the four computer opponents: the worth of one card to one side.
#pragma once

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

}  // namespace koikoi
