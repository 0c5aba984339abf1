// Times the computer's choices on the heaviest tables they meet: a full hand
// whose every card matches three field cards.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "game/table.h"
#include "opponents/koikoi_decision.h"
#include "opponents/move_choice.h"

namespace koikoi {
namespace {

// Every card in the stock, then card c moved to slot `slot`.
void Place(Table& table, CardId card, SlotId slot, int8_t owner) {
    table.SlotCards[table.CardSlots[card]] = kNoCard;
    table.SlotCards[slot] = card;
    table.CardSlots[card] = slot;
    table.Owner[card] = owner;
}

// The computer holds the first card of months 0..7 and the field the other
// 24 cards of those months, so each hand card matches three field cards (and
// each of those months is closed). The human holds eight cards of September
// and October; the rest stay in the stock.
Table FullTable() {
    Table table{};
    for (SlotId slot = 0; slot < kSlots; ++slot) table.SlotCards[slot] = kNoCard;
    for (CardId card = 0; card < kCards; ++card) {
        table.SlotCards[kStockFirst + card] = card;
        table.CardSlots[card] = kStockFirst + card;
        table.Owner[card] = OwnerUnseen;
    }
    SlotId field = kFieldFirst;
    for (int32_t month = 0; month < 8; ++month) {
        Place(table, 4 * month, kComputerHand + month, OwnerComputerHand);
        table.ComputerHandByMonth[month] = 1;
        for (int32_t k = 1; k < 4; ++k) Place(table, 4 * month + k, field++, OwnerField);
        table.FieldByMonth[month] = 3;
    }
    for (CardId card = 32; card < 40; ++card) Place(table, card, kHumanHand + (card - 32), OwnerUnseen);
    table.MonthNumber = 3;
    table.TurnCount = 9;
    return table;
}

// A table where the open-month path runs: one field card per hand month.
Table OpenTable() {
    Table table = FullTable();
    for (int32_t month = 0; month < 8; ++month) {
        // Back to the stock: the month is no longer closed.
        for (int32_t k = 2; k < 4; ++k) {
            const CardId card = 4 * month + k;
            Place(table, card, kStockFirst + card, OwnerUnseen);
        }
        table.FieldByMonth[month] = 1;
    }
    return table;
}

void BM_ChooseHandCardFullField(benchmark::State& state) {
    const Table table = FullTable();
    const auto opponent = static_cast<int32_t>(state.range(0));
    int32_t matchList[4];
    for (auto _ : state) {
        benchmark::DoNotOptimize(ChooseHandCard(table, opponent, matchList));
        benchmark::DoNotOptimize(matchList);
    }
}
BENCHMARK(BM_ChooseHandCardFullField)->DenseRange(0, 3);

void BM_ChooseHandCardOpenMonths(benchmark::State& state) {
    const Table table = OpenTable();
    const auto opponent = static_cast<int32_t>(state.range(0));
    int32_t matchList[4];
    for (auto _ : state) {
        benchmark::DoNotOptimize(ChooseHandCard(table, opponent, matchList));
        benchmark::DoNotOptimize(matchList);
    }
}
BENCHMARK(BM_ChooseHandCardOpenMonths)->DenseRange(0, 3);

void BM_DecideKoiKoi(benchmark::State& state) {
    Table table = FullTable();
    // Near a count combination and one short of every set, so that both
    // ComputerChance and HumanThreat walk all five sets.
    table.YakuProgress[1][RibbonSet] = 4;
    table.YakuProgress[1][ChaffSet] = 9;
    for (const Yaku set : {RedRibbons, BlueRibbons, BoarDeerButterfly}) table.YakuProgress[1][set] = 2;
    table.YakuProgress[1][CurtainSake] = 1;
    table.YakuProgress[1][MoonSake] = 1;
    const auto opponent = static_cast<int32_t>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(DecideKoiKoi(table, opponent));
}
BENCHMARK(BM_DecideKoiKoi)->DenseRange(1, 3);

}  // namespace
}  // namespace koikoi
