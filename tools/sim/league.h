// The league: every opponent against every player on the human's side, each
// pairing over the same seeds, summed into one table. The searching opponent
// plays from the human's side against the four, and every other player
// plays against it; those pairings cost far more a game and play fewer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sim/simulator.h"

namespace koikoi::sim {

// "random", "greedy", "opponent0" .. "opponent3", "search".
const char* PlayerName(Player player);

// What one pairing's games add up to.
struct PairingStats {
    int64_t games = 0;
    int64_t deals = 0;
    int64_t plays = 0;
    int64_t monthsWonByHuman = 0;
    int64_t monthsWonByComputer = 0;
    int64_t humanKan = 0;
    int64_t humanKanSquares = 0;
    int64_t calls[2] = {0, 0};  // koi-koi calls by side
    int64_t paid[2] = {0, 0};

    void Add(const GameResult& result);
    int64_t Months() const { return monthsWonByHuman + monthsWonByComputer; }
    double KanPerMonth() const;
    // Half the width of the 95% confidence interval of KanPerMonth.
    double KanHalfInterval() const;
};

struct Pairing {
    Options options;  // opponent, player and the first seed
    int64_t games = 0;
    PairingStats stats;
};

// Whether a pairing has the search on either side.
bool WithSearch(const Options& options);

class League {
  public:
    // `base` gives the first seed, the years, the random player's koi-koi
    // chance and the search's playouts; every pairing plays `games` games
    // from that seed, one with the search `searchGames`.
    League(const Options& base, int64_t games, int64_t searchGames);

    std::vector<Pairing>& pairings() { return pairings_; }
    int64_t TotalGames() const;

    // The table: comment lines with the command and the seeds, a header, one
    // row a pairing.
    std::string FormatCsv(const std::string& command) const;

  private:
    Options base_;
    int64_t games_;
    int64_t searchGames_;
    std::vector<Pairing> pairings_;
};

}  // namespace koikoi::sim
