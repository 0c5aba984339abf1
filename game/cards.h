// The 48 hanafuda cards: month, class and the combinations each one feeds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace koikoi {

using CardId = int32_t;  // 0..47, month = card / 4; -1 for none
using SlotId = int32_t;  // 0..208; -1 for none

inline constexpr int32_t kCards = 48;
inline constexpr int32_t kMonths = 12;
inline constexpr CardId kNoCard = -1;
inline constexpr SlotId kNoSlot = -1;

enum class CardClass : uint8_t { Bright, Animal, Ribbon, Chaff };

// Scoring combinations, indexed as YakuProgress and YakuScore are.
enum Yaku : int32_t {
    FiveBrights = 0,
    FourBrights = 1,
    RedRibbons = 2,
    BlueRibbons = 3,
    BoarDeerButterfly = 4,
    CurtainSake = 5,
    MoonSake = 6,
    AnimalSet = 7,
    RibbonSet = 8,
    ChaffSet = 9,
    YakuCount = 10,
};

// The named cards the rules single out.
enum NamedCard : CardId {
    Crane = 0,
    Curtain = 8,
    Butterflies = 20,
    Boar = 24,
    Moon = 28,
    SakeCup = 32,
    Deer = 36,
    RainMan = 40,
    Phoenix = 44,
};

constexpr int32_t MonthOf(CardId card) { return card / 4; }

// The deck by month, four cards a month: each month reads as one row of the
// standard deck table.
inline constexpr std::array<CardClass, kCards> kCardClass = {
    // +0                +1                 +2                 +3
    CardClass::Bright, CardClass::Ribbon, CardClass::Chaff,  CardClass::Chaff,  // January, pine
    CardClass::Animal, CardClass::Ribbon, CardClass::Chaff,  CardClass::Chaff,  // February, plum
    CardClass::Bright, CardClass::Ribbon, CardClass::Chaff,  CardClass::Chaff,  // March, cherry
    CardClass::Animal, CardClass::Ribbon, CardClass::Chaff,  CardClass::Chaff,  // April, wisteria
    CardClass::Animal, CardClass::Ribbon, CardClass::Chaff,  CardClass::Chaff,  // May, iris
    CardClass::Animal, CardClass::Ribbon, CardClass::Chaff,  CardClass::Chaff,  // June, peony
    CardClass::Animal, CardClass::Ribbon, CardClass::Chaff,  CardClass::Chaff,  // July, bush clover
    CardClass::Bright, CardClass::Animal, CardClass::Chaff,  CardClass::Chaff,  // August, pampas
    CardClass::Animal, CardClass::Ribbon, CardClass::Chaff,  CardClass::Chaff,  // September, chrysanthemum
    CardClass::Animal, CardClass::Ribbon, CardClass::Chaff,  CardClass::Chaff,  // October, maple
    CardClass::Bright, CardClass::Animal, CardClass::Ribbon, CardClass::Chaff,  // November, willow
    CardClass::Bright, CardClass::Chaff,  CardClass::Chaff,  CardClass::Chaff,  // December, paulownia
};

constexpr CardClass ClassOf(CardId card) { return kCardClass[static_cast<size_t>(card)]; }

// Where each class of card goes in a side's block of 56 slots.
inline constexpr std::array<int32_t, 4> kPileBase = {8, 13, 22, 32};  // bright, animal, ribbon, chaff

}  // namespace koikoi
