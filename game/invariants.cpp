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
        if (table.CardSlots[card] != slot) return "CardSlots disagrees with SlotCards";
        ++seen[static_cast<size_t>(card)];
    }
    for (int32_t count : seen) {
        if (count != 1) return "a card lies in no slot or in two";
    }
    if (table.CurrentSide + table.OtherSide != 1) return "OtherSide is not 1 - CurrentSide";
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
    return check == Check::Full ? FindOwnerFault(table) : nullptr;
}

}  // namespace koikoi
