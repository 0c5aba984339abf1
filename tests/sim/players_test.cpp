// The players of the human's side: the mirrored table the opponents see, and
// the greedy player's choice.
#include "tools/sim/players.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/layout.h"
#include "match/flow.h"
#include "match/trace.h"
#include "opponents/move_choice.h"
#include "tools/sim/simulator.h"

namespace koikoi {
namespace {

std::string Describe(const Table& table) {
    std::string text;
    AppendState(text, table);
    for (const int32_t slot : table.CardSlots) {
        text += ',';
        text += std::to_string(slot);
    }
    return text;
}

// Records the table at each of the computer's hand choices.
class CapturingHost final : public SilentHost {
  public:
    explicit CapturingHost(const Table& table) : table_(table) {}
    // Called right after the choice, before anything moves.
    void NoteComputerPlay(bool, const int32_t (&)[4]) override {
        if (seen_.size() < 200) seen_.push_back(table_);
    }
    std::vector<Table> seen_;

  private:
    const Table& table_;
};

// Tables from real play at the moments the computer chooses its hand card.
std::vector<Table> ComputerTurns() {
    SlotPositions positions{};
    EXPECT_EQ(LoadLayout(KOIKOI_DATA_DIR "/allocation.dat", positions), LayoutStatus::Ok);
    Table table{};
    for (int32_t& element : table.MatchList) element = kNoCard;
    table.OpponentId = 3;
    CapturingHost host(table);
    Random random(5);
    Match match{table, host, random, positions, 1.0f};
    StartGame(match);
    Random human(6);
    while (table.GameState >= StateChooseHand && table.GameState <= StateChooseFieldForDrawn &&
           host.seen_.size() < 200) {
        if (table.GameState == StateChooseHand) {
            const SlotId slot = sim::ChooseHumanHandSlot(table, sim::Player::Random, human);
            HandleBoardClick(match, static_cast<uint32_t>(positions.x[slot] + kCardWidth / 2),
                             static_cast<uint32_t>(positions.y[slot] + kCardHeight / 2));
        } else {
            const CardId card = sim::ChooseHumanFieldCard(table, sim::Player::Random, human, false);
            const SlotId slot = table.CardSlots[card];
            HandleBoardClick(match, static_cast<uint32_t>(positions.x[slot] + kCardWidth / 2),
                             static_cast<uint32_t>(positions.y[slot] + kCardHeight / 2));
        }
    }
    return host.seen_;
}

TEST(Players, MirroringTwiceGivesTheTableBack) {
    const std::vector<Table> turns = ComputerTurns();
    ASSERT_GT(turns.size(), 50u);
    for (const Table& table : turns) {
        ASSERT_EQ(Describe(sim::MirrorSides(sim::MirrorSides(table))), Describe(table));
    }
}

// Seated on the human's side of the mirrored table, each opponent picks the
// card it picks for itself on the real one.
TEST(Players, ASeatedOpponentMakesItsOwnChoice) {
    const std::vector<Table> turns = ComputerTurns();
    Random unused(0);
    for (const Table& table : turns) {
        const Table mirror = sim::MirrorSides(table);
        for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
            int32_t list[4];
            ChooseHandCard(table, opponent, list);
            const auto player =
                static_cast<sim::Player>(static_cast<int32_t>(sim::Player::Opponent0) + opponent);
            const SlotId slot = sim::ChooseHumanHandSlot(mirror, player, unused);
            ASSERT_EQ(mirror.SlotCards[slot], list[0]) << "opponent " << opponent;
        }
    }
}

TEST(Players, GreedyTakesTheMostValueElseLaysTheCheapestCard) {
    struct Case {
        CardId hand[3];
        CardId field[2];
        SlotId expected;
    };
    // Crane (20) with a January chaff beats an August chaff taking the
    // geese (10); without a capture the first of the cheapest goes down.
    const Case cases[] = {
        {{30, 3, 41}, {0, 29}, 1},
        {{41, 47, 46}, {0, 29}, 1},
        {{2, 3, 47}, {0, 29}, 0},  // equal captures: the first hand card
        {{2, 3, 28}, {0, 29}, 2},  // the moon (20) taking the geese (10) beats 21
    };
    Random unused(0);
    for (const Case& c : cases) {
        Table table{};
        for (int32_t& card : table.SlotCards) card = kNoCard;
        for (int32_t& slot : table.CardSlots) slot = kNoSlot;
        const auto place = [&table](CardId card, SlotId slot) {
            table.SlotCards[slot] = card;
            table.CardSlots[card] = slot;
        };
        for (int32_t i = 0; i < 3; ++i) place(c.hand[i], kHumanHand + i);
        for (int32_t i = 0; i < 2; ++i) place(c.field[i], kFieldFirst + i);
        EXPECT_EQ(sim::ChooseHumanHandSlot(table, sim::Player::Greedy, unused), c.expected)
            << c.hand[0] << "," << c.hand[1] << "," << c.hand[2];
    }
}

}  // namespace
}  // namespace koikoi
