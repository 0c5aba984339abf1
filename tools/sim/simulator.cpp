// The headless front-end and its trace.
#include "tools/sim/simulator.h"

#include <algorithm>
#include <cstring>

#include "game/invariants.h"
#include "game/texts.h"
#include "match/flow.h"
#include "tools/sim/players.h"

namespace koikoi::sim {

namespace {

// A Host that paints nothing, counts every pause, answers for the player on
// the human's side, keeps the settled months and the koi-koi calls, and
// writes the trace.
class SimHost final : public Host {
  public:
    SimHost(const Options& options, GameResult& result, const Table& table, TraceWriter* trace)
        : options_(options),
          result_(result),
          table_(table),
          trace_(trace),
          human_(options.seed ^ 0x5DEECE66Dull),
          search_(options.seed, options.playouts),
          checkInvariants_(options.checkInvariants) {}

    Random& human() { return human_; }
    HumanSearch& search() { return search_; }

    // Painted several times a play: the clock is counted here and handed to
    // the result when a trace line or the game's end needs it.
    void PaintBoard(int32_t scene, int32_t pauseBefore, int32_t, int32_t, int32_t,
                    int32_t pauseAfter) override {
        if (checkInvariants_) CheckTable(scene);
        clockMs_ += std::max(pauseBefore, 0) + std::max(pauseAfter, 0);
    }
    void Pause(int32_t ms) override { clockMs_ += std::max(ms, 0); }
    int32_t AskYesNo(TextId text, TextId) override {
        if (text == TextId::AskNewYear) {
            ++yearsPlayed_;
            return yearsPlayed_ < options_.years ? kYes : kNo;
        }
        if (options_.player == Player::Search) return search_.KoiKoi(table_);
        return AnswerHumanKoiKoi(table_, options_.player, human_, options_.koikoiChance);
    }
    void Tell(TextId, TextId) override {}
    void EnterGameMode() override {}
    bool InsidePause() const override { return false; }
    bool QuitRequested() const override { return false; }
    void DestroyWindow() override {}

    void RecordMonthResult(int32_t opponent, int32_t kan) override {
        if (kan > 0) {
            ++result_.monthsWonByHuman;
        } else {
            ++result_.monthsWonByComputer;
        }
        result_.humanKan += kan;
        result_.humanKanSquares += kan * kan;
        result_.months.push_back(static_cast<int8_t>(kan));
        if (trace_ != nullptr) trace_->Record(opponent, kan);
    }

    // Without a trace or the checks nothing here reads the table.
    bool ReadsMonthShuffle() const override { return trace_ != nullptr || checkInvariants_; }

    void NoteShuffle(const Table& table) override {
        if (trace_ != nullptr) trace_->Shuffle(table);
    }
    void NoteHumanCard(CardId card) override {
        if (trace_ != nullptr) trace_->HumanCard(card);
    }
    void NoteHumanField(CardId card) override {
        if (trace_ != nullptr) trace_->HumanField(card);
    }
    void NoteAsk(int32_t side, Question question, int32_t answer) override {
        if (question == Question::KoiKoi && answer == kYes) {
            ++result_.koikoi[side].calls;
            calledToday_[side] = true;
        }
        if (trace_ != nullptr) trace_->Ask(side, question, answer);
    }
    void NoteComputerPlay(bool capture, const int32_t (&matchList)[4]) override {
        if (trace_ != nullptr) trace_->ComputerPlay(capture, matchList);
    }
    void NoteScored(int32_t side, int32_t code, const Table& table) override {
        ++result_.plays;
        if (code != NextTurn) EndDay(side, table);
        if (trace_ != nullptr) trace_->Scored(side, code, clockMs_, table);
    }

    void NoteStart() {
        if (trace_ != nullptr) trace_->Start(options_.opponent, options_.seed);
    }
    void NoteEnd(bool declined) {
        result_.clockMs = clockMs_;
        if (trace_ != nullptr) trace_->End(declined, clockMs_);
    }

  private:
    void CheckTable(int32_t scene) {
        if (!result_.fault.empty()) return;
        const Check check = CheckAtPaint(table_, scene);
        if (const char* fault = FindTableFault(table_, check)) result_.fault = fault;
    }

    // The day is over. The side that has just played banked its day's mon
    // when both day tallies are cleared; a drawn day leaves the caller's
    // mon standing.
    void EndDay(int32_t side, const Table& table) {
        ++result_.deals;
        const bool banked = table.TodayMon[0] == 0 && table.TodayMon[1] == 0;
        for (int32_t caller = 0; caller < 2; ++caller) {
            if (calledToday_[caller] && banked && caller == side) ++result_.koikoi[caller].paid;
            calledToday_[caller] = false;
        }
    }

    const Options& options_;
    GameResult& result_;
    const Table& table_;
    TraceWriter* trace_;
    Random human_;
    HumanSearch search_;
    const bool checkInvariants_;
    int64_t clockMs_ = 0;
    int32_t yearsPlayed_ = 0;
    bool calledToday_[2] = {false, false};
};

// Clicks the centre of a slot's card cell, as a player would. False when
// the click was ignored: a layout whose cells overlap can hide a card under
// another slot's cell, and the scripted player would click for ever.
inline bool ClickPlayed(Match& match, SlotId slot, GameResult& result) {
    const auto x = static_cast<uint32_t>(match.positions.x[slot] + kCardWidth / 2);
    const auto y = static_cast<uint32_t>(match.positions.y[slot] + kCardHeight / 2);
    const uint8_t state = match.table.GameState;
    const int64_t plays = result.plays;
    const CardId card = match.table.SlotCards[slot];
    HandleBoardClick(match, x, y);
    if (match.table.GameState == state && result.plays == plays &&
        match.table.SlotCards[slot] == card) {
        if (result.fault.empty())
            result.fault = "a click on a card was ignored: the layout hides its cell";
        return false;
    }
    return true;
}

}  // namespace

GameResult PlayGame(const Options& options, const SlotPositions& positions, TraceWriter* trace) {
    GameResult result;
    Table table{};
    for (int32_t& element : table.MatchList) element = kNoCard;
    table.OpponentId = static_cast<uint8_t>(options.opponent);
    SimHost host(options, result, table, trace);
    Random random(options.seed);
    Match match{table, host, random, positions, 1.0f};
    match.searchSeed = options.seed;
    match.searchPlayouts = options.playouts;
    const bool searching = options.player == Player::Search;

    host.NoteStart();
    StartGame(match);
    for (;;) {
        const uint8_t state = table.GameState;
        if (state == StateChooseHand) {
            if (options.maxPlays >= 0 && result.plays >= options.maxPlays) break;
            const SlotId slot = searching
                                    ? host.search().HandSlot(table)
                                    : ChooseHumanHandSlot(table, options.player, host.human());
            if (slot == kNoSlot) {
                result.fault = "the human's turn came with an empty hand";
                break;
            }
            if (!ClickPlayed(match, slot, result)) break;
        } else if (state == StateChooseFieldForHand || state == StateChooseFieldForDrawn) {
            // The two field cards the played or drawn card may take.
            const bool drawn = state == StateChooseFieldForDrawn;
            const CardId card = searching
                                    ? host.search().FieldCard(table, drawn)
                                    : ChooseHumanFieldCard(table, options.player, host.human(), drawn);
            if (!ClickPlayed(match, table.CardSlots[card], result)) break;
        } else {
            result.declined = state == StateGameOver;
            break;
        }
    }
    host.NoteEnd(result.declined);
    return result;
}

}  // namespace koikoi::sim
