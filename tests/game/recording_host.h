// A Host for tests: records every paint and pause, answers questions from a
// script, and can check the table's invariants at every step.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "game/host.h"
#include "game/invariants.h"

namespace koikoi::testing {

struct PaintCall {
    int32_t scene, pauseBefore, message, amount, highlightSlot, pauseAfter;
    friend bool operator==(const PaintCall&, const PaintCall&) = default;
};

class RecordingHost : public Host {
  public:
    // When set, the table is checked at every paint; faults are collected.
    const Table* watched = nullptr;
    std::vector<std::string> faults;

    std::vector<PaintCall> paints;
    std::vector<int32_t> pauses;  // every pause, from PaintBoard or direct, in order
    std::deque<int32_t> answers;  // answers to AskYesNo; kNo when empty
    std::vector<TextId> asked, told;
    std::vector<int32_t> records;
    int32_t gameModeSwitches = 0;
    bool quitRequested = false;
    int32_t destroyed = 0;
    bool insidePause = false;

    int64_t TotalPause() const {
        int64_t total = 0;
        for (int32_t ms : pauses) total += ms;
        return total;
    }
    void Clear() {
        paints.clear();
        pauses.clear();
    }

    void PaintBoard(int32_t scene, int32_t pauseBefore, int32_t message, int32_t amount,
                    int32_t highlightSlot, int32_t pauseAfter) override {
        paints.push_back({scene, pauseBefore, message, amount, highlightSlot, pauseAfter});
        if (watched != nullptr) {
            const Check check = CheckAtPaint(*watched, scene);
            if (const char* fault = FindTableFault(*watched, check)) faults.emplace_back(fault);
        }
        if (pauseBefore > 0) Pause(pauseBefore);
        if (pauseAfter > 0) Pause(pauseAfter);
    }
    void Pause(int32_t ms) override { pauses.push_back(ms); }
    int32_t AskYesNo(TextId text, TextId) override {
        asked.emplace_back(text);
        if (answers.empty()) return kNo;
        const int32_t answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Tell(TextId text, TextId) override { told.push_back(text); }
    void EnterGameMode() override { ++gameModeSwitches; }
    bool InsidePause() const override { return insidePause; }
    bool QuitRequested() const override { return quitRequested; }
    void DestroyWindow() override { ++destroyed; }
    void RecordMonthResult(int32_t, int32_t kan) override { records.push_back(kan); }
};

}  // namespace koikoi::testing
