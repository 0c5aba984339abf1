// The table's invariants, checked in one place.
#include "game/invariants.h"

#include <array>

namespace koikoi {

namespace {

bool InRange(SlotId slot, SlotId first, SlotId last) { return slot >= first && slot <= last; }

// Where a card with a given Owner code may lie. A card being captured lies
// for a moment on the overlay of the field card it takes, still owned as
// before; the drawn card is unseen until it is laid down or captured.
bool PlaceFitsOwner(SlotId slot, int8_t owner) {
    switch (owner) {
        case OwnerUnseen:
            return InRange(slot, kHumanHand, kHumanHand + kHandSize - 1) ||
                   InRange(slot, kStockFirst, kStockLast) ||
                   InRange(slot, kOverlayFirst, kOverlayLast) || slot == DrawnSlot;
        case OwnerHuman: return InRange(slot, 8, 55);
        case OwnerComputer: return InRange(slot, 64, 111);
        case OwnerComputerHand:
            return InRange(slot, kComputerHand, kComputerHand + kHandSize - 1) ||
                   InRange(slot, kOverlayFirst, kOverlayLast);
        case OwnerField: return InRange(slot, kFieldFirst, kFieldLast);
        default: return false;
    }
}

const char* FindSlotFault(const Table& table) {
    std::array<int32_t, kCards> seen{};
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        const CardId card = table.SlotCards[slot];
        if (card == kNoCard) continue;
        if (card < 0 || card >= kCards) return "a slot holds a value that is no card";
        ++seen[static_cast<size_t>(card)];
    }
    for (int32_t count : seen) {
        if (count == 0) return "a card lies in no slot";
        if (count > 1) return "a card lies in two slots";
    }
    for (CardId card = 0; card < kCards; ++card) {
        const SlotId slot = table.CardSlots[card];
        if (!InRange(slot, 0, kSlots - 1) || table.SlotCards[slot] != card) {
            return "CardSlots disagrees with SlotCards";
        }
    }
    if (table.CurrentSide != 0 && table.CurrentSide != 1) return "CurrentSide is neither 0 nor 1";
    if (table.CurrentSide + table.OtherSide != 1) return "OtherSide is not 1 - CurrentSide";
    return nullptr;
}

// The bounds the rules keep every counter within, between any two steps.
// MonthNumber is 0 for a moment at a new year and TurnCount 0 at a new day
// (the month and the turn that follow raise them); twelve months of at most
// 3 kan each keep a balance within 0..72 in a year.
const char* FindCounterFault(const Table& table) {
    struct Bound {
        const char* fault;
        int32_t value, low, high;
    };
    const Bound bounds[] = {
        {"MonthNumber is outside 0..12", table.MonthNumber, 0, 12},
        {"TurnCount is outside 0..16", table.TurnCount, 0, 16},
        {"GameState is outside 0..5", table.GameState, StateNoGame, StateGameOver},
        {"OpponentId is outside 0..4", table.OpponentId, 0, kAllOpponents - 1},
    };
    for (const Bound& bound : bounds) {
        if (bound.value < bound.low || bound.value > bound.high) return bound.fault;
    }
    constexpr std::array<int32_t, 4> kPileSize = {5, 9, 10, 24};  // bright, animal, ribbon, chaff
    for (size_t side = 0; side < 2; ++side) {
        if (!InRange(table.KanBalance[side], 0, 2 * kStartingKan)) {
            return "KanBalance is outside 0..72";
        }
        if (table.TodayMon[side] < 0) return "TodayMon is negative";
        if (table.MonthMon[side] < 0) return "MonthMon is negative";
        if (table.KoiCalled[side] > 1) return "KoiCalled is neither 0 nor 1";
        for (size_t pile = 0; pile < 4; ++pile) {
            if (!InRange(table.PileCount[side][pile], 0, kPileSize[pile])) {
                return "a PileCount is beyond its pile";
            }
        }
    }
    return nullptr;
}

const char* FindOwnerFault(const Table& table) {
    std::array<int32_t, kMonths> field{}, computerHand{}, taken{};
    for (CardId card = 0; card < kCards; ++card) {
        const int8_t owner = table.Owner[card];
        if (!PlaceFitsOwner(table.CardSlots[card], owner)) return "Owner does not fit the card's slot";
        const auto month = static_cast<size_t>(MonthOf(card));
        if (owner == OwnerField) ++field[month];
        if (owner == OwnerComputerHand) ++computerHand[month];
        if (owner == OwnerHuman || owner == OwnerComputer) ++taken[month];
    }
    for (size_t month = 0; month < kMonths; ++month) {
        if (table.FieldByMonth[month] != field[month]) return "FieldByMonth is off";
        if (table.ComputerHandByMonth[month] != computerHand[month]) return "ComputerHandByMonth is off";
        if (table.TakenByMonth[month] != taken[month]) return "TakenByMonth is off";
    }
    // Each pile fills from its base without gaps, as far as PileCount says.
    for (int32_t side = 0; side < 2; ++side) {
        for (size_t pile = 0; pile < 4; ++pile) {
            const SlotId base = kSideBlock * side + kPileBase[pile];
            const SlotId end = kSideBlock * side + (pile == 3 ? 56 : kPileBase[pile + 1]);
            const int32_t count = table.PileCount[side][pile];
            for (SlotId slot = base; slot < end; ++slot) {
                const bool filled = table.SlotCards[slot] != kNoCard;
                if (filled != (slot - base < count)) return "a pile disagrees with PileCount";
                if (filled && static_cast<size_t>(ClassOf(table.SlotCards[slot])) != pile) {
                    return "a card lies in the pile of another class";
                }
            }
        }
    }
    return nullptr;
}

}  // namespace

Check CheckAtPaint(const Table& table, int32_t scene) {
    constexpr int32_t kScoresLevel = 2;  // the level the deal paints each card at
    if (scene == kScoresLevel) return Check::Slots;
    for (SlotId slot = kStockFirst; slot <= kStockLast; ++slot) {
        if (table.SlotCards[slot] == kNoCard) return Check::Full;
    }
    return Check::Slots;  // everything gathered in the stock: not dealt yet
}

const char* FindTableFault(const Table& table, Check check) {
    if (const char* fault = FindSlotFault(table)) return fault;
    if (check == Check::Slots) return nullptr;
    if (const char* fault = FindCounterFault(table)) return fault;
    return FindOwnerFault(table);
}

}  // namespace koikoi
