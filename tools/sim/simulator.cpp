// The headless front-end and its trace.
#include "tools/sim/simulator.h"

#include <cstring>

#include "match/flow.h"
#include "game/invariants.h"
#include "game/texts.h"
#include "files/records.h"
#include "match/trace.h"

namespace koikoi::sim {

namespace {

// The simulator's record file lives in a throwaway folder: it is replaced in
// one step like the game's, but not flushed to the disk first, which would
// cost more than the rest of a simulated month.
class QuickReplacer final : public FileReplacer {
protected:
    bool WriteDurably(const std::string& path, std::string_view bytes) override {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) return false;
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        return std::fclose(file) == 0 && written;
    }
};

// Trace lines go straight to the trace file.
class FileTrace final : public TraceWriter {
  public:
    explicit FileTrace(std::FILE* file) : file_(file) {}

  protected:
    void Write(std::string_view line) override { std::fwrite(line.data(), 1, line.size(), file_); }

  private:
    std::FILE* file_;
};

// A Host that paints nothing, counts every pause, answers for the scripted
// human and writes the trace.
class SimHost final : public Host {
public:
    SimHost(const Options& options, GameResult& result, const Table& table)
        : options_(options), result_(result), table_(table), human_(options.seed ^ 0x5DEECE66Dull) {}

    Random& human() { return human_; }

    void PaintBoard(int32_t scene, int32_t pauseBefore, int32_t, int32_t, int32_t,
                    int32_t pauseAfter) override {
        if (options_.checkInvariants && result_.fault.empty()) {
            const Check check = CheckAtPaint(table_, scene);
            if (const char* fault = FindTableFault(table_, check)) result_.fault = fault;
        }
        if (pauseBefore > 0) result_.clockMs += pauseBefore;
        if (pauseAfter > 0) result_.clockMs += pauseAfter;
    }
    void Pause(int32_t ms) override {
        if (ms > 0) result_.clockMs += ms;
    }
    int32_t AskYesNo(const char* text, const char*) override {
        if (std::strcmp(text, texts::kAskNewYear) == 0) {
            ++yearsPlayed_;
            return yearsPlayed_ < options_.years ? kYes : kNo;
        }
        // The human's koi-koi question.
        const double draw = static_cast<double>(human_.Next()) / 2147483648.0;
        return draw < options_.koikoiChance ? kYes : kNo;
    }
    void Tell(const char*, const char*) override {}
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
        if (!options_.recordFile.empty() &&
            koikoi::RecordMonthResult(options_.recordFile.c_str(), opponent, kan, replacer_) !=
                RecordStatus::Ok) {
            ++result_.recordFailures;
        }
        if (Tracing()) trace_.Record(opponent, kan);
    }

    void NoteShuffle(const Table& table) override {
        if (Tracing()) trace_.Shuffle(table);
    }
    void NoteHumanCard(CardId card) override {
        if (Tracing()) trace_.HumanCard(card);
    }
    void NoteHumanField(CardId card) override {
        if (Tracing()) trace_.HumanField(card);
    }
    void NoteAsk(int32_t side, Question question, int32_t answer) override {
        if (Tracing()) trace_.Ask(side, question, answer);
    }
    void NoteComputerPlay(bool capture, const int32_t (&matchList)[4]) override {
        if (Tracing()) trace_.ComputerPlay(capture, matchList);
    }
    void NoteScored(int32_t side, int32_t code, const Table& table) override {
        ++result_.plays;
        if (Tracing()) trace_.Scored(side, code, result_.clockMs, table);
    }

    void NoteStart() {
        if (Tracing()) trace_.Start(options_.opponent, options_.seed);
    }
    void NoteEnd(bool declined) {
        if (Tracing()) trace_.End(declined, result_.clockMs);
    }

private:
    bool Tracing() const { return options_.trace != nullptr; }

    const Options& options_;
    GameResult& result_;
    const Table& table_;
    Random human_;
    int32_t yearsPlayed_ = 0;
    FileTrace trace_{options_.trace};
    QuickReplacer replacer_;
};

// Clicks the centre of a slot's card cell, as a player would. False when
// the click was ignored: a layout whose cells overlap can hide a card under
// another slot's cell, and the scripted player would click for ever.
bool ClickPlayed(Match& match, SlotId slot, GameResult& result) {
    const auto x = static_cast<uint32_t>(match.positions.x[slot] + kCardWidth / 2);
    const auto y = static_cast<uint32_t>(match.positions.y[slot] + kCardHeight / 2);
    const uint8_t state = match.table.GameState;
    const int64_t plays = result.plays;
    const CardId card = match.table.SlotCards[slot];
    HandleBoardClick(match, x, y);
    if (match.table.GameState == state && result.plays == plays && match.table.SlotCards[slot] == card) {
        if (result.fault.empty()) result.fault = "a click on a card was ignored: the layout hides its cell";
        return false;
    }
    return true;
}

}  // namespace

GameResult PlayGame(const Options& options, const SlotPositions& positions) {
    GameResult result;
    Table table{};
    for (int32_t& element : table.MatchList) element = kNoCard;
    table.OpponentId = static_cast<uint8_t>(options.opponent);
    SimHost host(options, result, table);
    Random random(options.seed);
    Match match{table, host, random, positions, 1.0f};

    host.NoteStart();
    StartGame(match);
    for (;;) {
        const uint8_t state = table.GameState;
        if (state == StateChooseHand) {
            if (options.maxPlays >= 0 && result.plays >= options.maxPlays) break;
            SlotId held[kHandSize];
            uint32_t count = 0;
            for (SlotId slot = kHumanHand; slot < kHumanHand + kHandSize; ++slot) {
                if (table.SlotCards[slot] != kNoCard) held[count++] = slot;
            }
            const SlotId slot = held[static_cast<uint32_t>(host.human().Next()) % count];
            if (!ClickPlayed(match, slot, result)) break;
        } else if (state == StateChooseFieldForHand || state == StateChooseFieldForDrawn) {
            // The two field cards the played or drawn card may take.
            const CardId card = table.MatchList[1 + host.human().Next() % 2];
            if (!ClickPlayed(match, table.CardSlots[card], result)) break;
        } else {
            result.declined = state == StateGameOver;
            break;
        }
    }
    host.NoteEnd(result.declined);
    if (options.trace != nullptr) std::fflush(options.trace);
    return result;
}

}  // namespace koikoi::sim
