// League pairings, their sums and the table they are written as.
#include "tools/sim/league.h"

#include <cmath>
#include <cstdio>

namespace koikoi::sim {

const char* PlayerName(Player player) {
    switch (player) {
        case Player::Random:
            return "random";
        case Player::Greedy:
            return "greedy";
        case Player::Opponent0:
            return "opponent0";
        case Player::Opponent1:
            return "opponent1";
        case Player::Opponent2:
            return "opponent2";
        case Player::Opponent3:
            return "opponent3";
        case Player::Search:
            return "search";
        default:
            return "?";
    }
}

void PairingStats::Add(const GameResult& result) {
    ++games;
    deals += result.deals;
    plays += result.plays;
    monthsWonByHuman += result.monthsWonByHuman;
    monthsWonByComputer += result.monthsWonByComputer;
    humanKan += result.humanKan;
    humanKanSquares += result.humanKanSquares;
    for (int32_t side = 0; side < 2; ++side) {
        calls[side] += result.koikoi[side].calls;
        paid[side] += result.koikoi[side].paid;
    }
}

double PairingStats::KanPerMonth() const {
    return Months() > 0 ? static_cast<double>(humanKan) / static_cast<double>(Months()) : 0.0;
}

// The months are the samples: each is dealt from fresh shuffles, so the
// normal approximation of the mean holds for the thousands a pairing plays.
double PairingStats::KanHalfInterval() const {
    const auto n = static_cast<double>(Months());
    if (n < 2) return 0.0;
    const double mean = KanPerMonth();
    const double variance = (static_cast<double>(humanKanSquares) - n * mean * mean) / (n - 1);
    return 1.96 * std::sqrt(std::max(variance, 0.0) / n);
}

bool WithSearch(const Options& options) {
    return options.player == Player::Search || options.opponent == kSearchOpponent;
}

League::League(const Options& base, int64_t games, int64_t searchGames)
    : base_(base), games_(games), searchGames_(searchGames) {
    for (int32_t opponent = 0; opponent < kAllOpponents; ++opponent) {
        for (int32_t player = 0; player < static_cast<int32_t>(Player::Count); ++player) {
            Pairing pairing;
            pairing.options = base;
            pairing.options.opponent = opponent;
            pairing.options.player = static_cast<Player>(player);
            // The search against itself tells nothing of its strength.
            if (opponent == kSearchOpponent && pairing.options.player == Player::Search) continue;
            pairing.games = WithSearch(pairing.options) ? searchGames : games;
            if (pairing.games > 0) pairings_.push_back(pairing);
        }
    }
}

int64_t League::TotalGames() const {
    int64_t total = 0;
    for (const Pairing& pairing : pairings_) total += pairing.games;
    return total;
}

std::string League::FormatCsv(const std::string& command) const {
    std::string out;
    char line[512];
    out += "# command: " + command + "\n";
    std::snprintf(
        line, sizeof line,
        "# seeds %llu..%llu for every pairing; %d year(s) a game; the random player calls "
        "koi-koi with chance %.2f\n",
        static_cast<unsigned long long>(base_.seed),
        static_cast<unsigned long long>(base_.seed + static_cast<uint64_t>(games_) - 1),
        base_.years, base_.koikoiChance);
    out += line;
    if (searchGames_ > 0) {
        std::snprintf(line, sizeof line,
                      "# pairings with the search (opponent %d, player search) play seeds "
                      "%llu..%llu, %d playouts a decision\n",
                      kSearchOpponent, static_cast<unsigned long long>(base_.seed),
                      static_cast<unsigned long long>(base_.seed +
                                                      static_cast<uint64_t>(searchGames_) - 1),
                      base_.playouts);
        out += line;
    }
    out +=
        "opponent,player,games,deals,months,human_months_won,computer_months_won,kan_per_month,"
        "kan_ci_low,kan_ci_high,human_koikoi_calls,human_koikoi_paid,computer_koikoi_calls,"
        "computer_koikoi_paid\n";
    for (const Pairing& pairing : pairings_) {
        const PairingStats& s = pairing.stats;
        const double mean = s.KanPerMonth();
        const double half = s.KanHalfInterval();
        std::snprintf(line, sizeof line,
                      "%d,%s,%lld,%lld,%lld,%lld,%lld,%.4f,%.4f,%.4f,%lld,%lld,%lld,%lld\n",
                      pairing.options.opponent, PlayerName(pairing.options.player),
                      static_cast<long long>(s.games), static_cast<long long>(s.deals),
                      static_cast<long long>(s.Months()),
                      static_cast<long long>(s.monthsWonByHuman),
                      static_cast<long long>(s.monthsWonByComputer), mean, mean - half, mean + half,
                      static_cast<long long>(s.calls[0]), static_cast<long long>(s.paid[0]),
                      static_cast<long long>(s.calls[1]), static_cast<long long>(s.paid[1]));
        out += line;
    }
    return out;
}

}  // namespace koikoi::sim
