// The window controller driven through a fake front-end: the commands by
// game state, the close request and its deferral, the record panel's choice
// and reset with their refusals, the record file's changes, the import, the
// start-up fallbacks and the trace of a browser game.
#include "presentation/window_controller.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "game/texts.h"
#include "resources/resource_ids.h"
#include "tests/files/temp_folder.h"
#include "tests/presentation/recording.h"

namespace koikoi::testing {
namespace {

struct ShownBox {
    BoxOwner owner;
    BoxKind kind;
    std::string text;
};

// Records what the controller asks of it; answers questions with `answer`,
// and lets a test act from inside a pause, as a queued event would.
class FakeFrontEnd final : public WindowFrontEnd {
  public:
    int32_t ShowBox(BoxOwner owner, BoxKind kind, const char* text, const char*) override {
        boxes.push_back({owner, kind, text});
        return kind == BoxKind::Ok ? 1 : answer;
    }
    void SleepAndDispatch(int32_t ms) override {
        slept += ms;
        busyInPause = busyInPause || controller->Busy();
        if (duringPause) {
            auto act = std::move(duringPause);
            duringPause = nullptr;
            act();
        }
    }
    void ShowGameMode(const ViewFit&) override { ++gameModes; }
    void ShowTitleMode() override { ++titleModes; }
    void StartTitleTimer(int32_t ms) override { titleTimers.push_back(ms); }
    bool OpenRulesPage() override { return rulesThere; }
    void DestroyWindow() override { ++destroyed; }
    bool OpenRecordPanel(uint8_t opponent) override {
        panelOpenedWith = opponent;
        return panelMade;
    }
    void CloseRecordPanel() override { ++panelClosed; }
    void CheckOpponent(uint8_t opponent) override { checked.push_back(opponent); }
    void PaintRecordPanel(const RecordSummary (&summary)[kOpponents], RecordTableShape) override {
        tablePainted.push_back(summary[0].months);
    }
    void BeginRecordChange() override { changes += "("; }
    void EndRecordChange(bool changed) override { changes += changed ? "+)" : "-)"; }

    WindowController* controller = nullptr;
    int32_t answer = kYes;
    bool rulesThere = true;
    bool panelMade = true;
    std::function<void()> duringPause;

    std::vector<ShownBox> boxes;
    int32_t slept = 0;
    bool busyInPause = false;
    int32_t gameModes = 0, titleModes = 0, destroyed = 0, panelClosed = 0;
    std::vector<int32_t> titleTimers;
    int32_t panelOpenedWith = -1;
    std::vector<uint8_t> checked;
    std::vector<int32_t> tablePainted;
    std::string changes;
};

struct ControllerFixture : ::testing::Test {
    ControllerFixture() {
        frontEnd.controller = &controller;
        ResetRecords(recordPath.c_str());
        controller.LoadLayout(KOIKOI_DATA_DIR "/allocation.dat");
    }

    // A game started and run to the human's first turn.
    void StartGame() {
        ASSERT_TRUE(controller.OnCommand(IDM_GAME_START));
        ASSERT_EQ(controller.table().GameState, StateChooseHand);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const ShownBox& box : frontEnd.boxes) texts.push_back(box.text);
        return texts;
    }

    TempFolder folder;
    std::string recordPath = folder.File("result.dat");
    Log log;
    RecordingCanvas canvas{log};
    FakeFrontEnd frontEnd;
    WindowController controller{frontEnd, canvas, recordPath.c_str(), 7};
};

TEST_F(ControllerFixture, CommandsTakeEffectOnlyInTheStatesThatOfferThem) {
    // On the guide page: ゲームセット does nothing; 終了 destroys at once.
    EXPECT_TRUE(controller.OnCommand(IDM_GAME_SET));
    EXPECT_EQ(frontEnd.titleModes, 0);
    EXPECT_FALSE(controller.OnCommand(40006));  // no item of the menu

    StartGame();
    EXPECT_EQ(frontEnd.gameModes, 1);
    EXPECT_TRUE(frontEnd.busyInPause);
    // During a game: a second start and 終了 do nothing.
    const Table during = controller.table();
    controller.OnCommand(IDM_GAME_START);
    controller.OnCommand(IDM_EXIT);
    EXPECT_EQ(frontEnd.destroyed, 0);
    EXPECT_EQ(std::memcmp(&during, &controller.table(), sizeof during), 0);

    // ゲームセット: back to the title, the guide page 100 ms later.
    controller.OnCommand(IDM_GAME_SET);
    EXPECT_EQ(controller.table().GameState, StateNoGame);
    EXPECT_EQ(frontEnd.titleModes, 1);
    EXPECT_EQ(frontEnd.titleTimers, (std::vector<int32_t>{kTitleTimerMs}));
    controller.OnCommand(IDM_EXIT);
    EXPECT_EQ(frontEnd.destroyed, 1);
}

TEST_F(ControllerFixture, TheRulesPageMissingIsTold) {
    controller.OnCommand(IDM_RULES);
    frontEnd.rulesThere = false;
    controller.OnCommand(IDM_RULES);
    EXPECT_EQ(Texts(), (std::vector<std::string>{texts::kRulesNotFound}));
}

TEST_F(ControllerFixture, ACloseRequestIsDecidedByTheAnswerAndByWhetherAPauseRuns) {
    frontEnd.answer = kNo;
    controller.OnCloseRequest();
    EXPECT_EQ(frontEnd.destroyed, 0);
    ASSERT_EQ(frontEnd.boxes.size(), 1u);
    EXPECT_EQ(frontEnd.boxes[0].kind, BoxKind::YesNoQuestion);

    // Answered yes during a pause: the notice, and the window outlives the
    // sequence until it hands the turn to the human.
    frontEnd.answer = kYes;
    frontEnd.duringPause = [this] {
        controller.OnCloseRequest();
        EXPECT_EQ(frontEnd.destroyed, 0);
    };
    StartGame();
    EXPECT_TRUE(controller.QuitRequested());
    EXPECT_EQ(Texts().back(), texts::kClosing);
    EXPECT_EQ(frontEnd.destroyed, 1);

    // Answered yes with no pause running: at once.
    controller.OnCloseRequest();
    EXPECT_EQ(frontEnd.destroyed, 2);
}

TEST_F(ControllerFixture, ThePanelOpensOnceAndChoosesOnlyOnTheTitle) {
    controller.OnCommand(IDM_SHOW_RECORDS);
    EXPECT_EQ(frontEnd.panelOpenedWith, 0);
    EXPECT_FALSE(controller.Menu().showRecords);
    frontEnd.panelOpenedWith = -1;
    controller.OnCommand(IDM_SHOW_RECORDS);
    EXPECT_EQ(frontEnd.panelOpenedWith, -1);

    // On the title: the first checked opponent, the page painted, the panel closed.
    controller.OnPanelChoose(2);
    EXPECT_EQ(controller.table().OpponentId, 2);
    EXPECT_EQ(CallsOf(log, Op::PresentPage).size(), 1u);
    EXPECT_EQ(frontEnd.panelClosed, 1);
    EXPECT_TRUE(controller.Menu().showRecords);
    // None checked chooses the last opponent.
    controller.OnCommand(IDM_SHOW_RECORDS);
    controller.OnPanelChoose(-1);
    EXPECT_EQ(controller.table().OpponentId, kOpponents - 1);

    // During a game: refused over the panel, the current opponent checked again.
    StartGame();
    controller.OnCommand(IDM_SHOW_RECORDS);
    controller.OnPanelChoose(0);
    EXPECT_EQ(controller.table().OpponentId, kOpponents - 1);
    EXPECT_EQ(frontEnd.checked, (std::vector<uint8_t>{kOpponents - 1}));
    ASSERT_FALSE(frontEnd.boxes.empty());
    EXPECT_EQ(frontEnd.boxes.back().owner, BoxOwner::RecordPanel);
    EXPECT_EQ(frontEnd.boxes.back().text, texts::kNoOpponentChange);
}

TEST_F(ControllerFixture, APanelThatCouldNotBeMadeIsNotOpen) {
    frontEnd.panelMade = false;
    controller.OnCommand(IDM_SHOW_RECORDS);
    EXPECT_TRUE(controller.Menu().showRecords);
    controller.OnPanelChoose(1);
    EXPECT_EQ(controller.table().OpponentId, 0);
}

TEST_F(ControllerFixture, AResetAsksOverThePanelAndChangesTheFileOnlyOnYes) {
    RecordMonthResult(recordPath.c_str(), 1, 2);
    const std::string before = ReadBytes(recordPath);
    controller.OnCommand(IDM_SHOW_RECORDS);
    frontEnd.answer = kNo;
    controller.OnPanelReset();
    EXPECT_EQ(ReadBytes(recordPath), before);
    EXPECT_EQ(frontEnd.changes, "");

    frontEnd.answer = kYes;
    controller.OnPanelReset();
    RecordSummary summary[kOpponents];
    ASSERT_EQ(ReadRecordSummary(recordPath.c_str(), summary), RecordStatus::Ok);
    EXPECT_EQ(summary[1].months, 0);
    EXPECT_EQ(frontEnd.changes, "(+)");
    for (const ShownBox& box : frontEnd.boxes) EXPECT_EQ(box.owner, BoxOwner::RecordPanel);

    // During a game: refused, nothing asked.
    RecordMonthResult(recordPath.c_str(), 1, 2);
    StartGame();
    const size_t asked = frontEnd.boxes.size();
    controller.OnPanelReset();
    ASSERT_EQ(frontEnd.boxes.size(), asked + 1);
    EXPECT_EQ(frontEnd.boxes.back().text, texts::kNoRecordReset);
    EXPECT_EQ(ReadRecordSummary(recordPath.c_str(), summary), RecordStatus::Ok);
    EXPECT_EQ(summary[1].months, 1);
}

TEST_F(ControllerFixture, TheTableIsPaintedWhenDueFromTheFileOrItsAbsenceTold) {
    RecordMonthResult(recordPath.c_str(), 0, 3);
    controller.OnPanelTableDue();  // no panel: nothing
    controller.OnCommand(IDM_SHOW_RECORDS);
    controller.OnPanelTableDue();
    EXPECT_EQ(frontEnd.tablePainted, (std::vector<int32_t>{1}));
    std::remove(recordPath.c_str());
    controller.OnPanelTableDue();
    EXPECT_EQ(frontEnd.tablePainted.size(), 1u);
    EXPECT_EQ(Texts(), (std::vector<std::string>{texts::kFileNotFound}));
}

TEST_F(ControllerFixture, AMonthIsRecordedInsideOneChangeAndAMissingFileIsTold) {
    controller.RecordMonthResult(2, -3);
    EXPECT_EQ(frontEnd.changes, "(+)");
    RecordSummary summary[kOpponents];
    ASSERT_EQ(ReadRecordSummary(recordPath.c_str(), summary), RecordStatus::Ok);
    EXPECT_EQ(summary[2].counts[5], 1);
    EXPECT_TRUE(frontEnd.boxes.empty());

    std::remove(recordPath.c_str());
    controller.RecordMonthResult(2, -3);
    EXPECT_EQ(frontEnd.changes, "(+)(-)");
    EXPECT_EQ(Texts(), (std::vector<std::string>{texts::kFileNotFound}));
}

TEST_F(ControllerFixture, OnlyARecordFileIsImported) {
    const std::string before = ReadBytes(recordPath);
    EXPECT_EQ(controller.ImportRecords("not a record file"), ImportOutcome::NotARecordFile);
    EXPECT_EQ(ReadBytes(recordPath), before);
    EXPECT_EQ(frontEnd.changes, "");

    RecordTable table;
    ClearRecords(table);
    AddMonthResult(table, 3, 1);
    controller.OnCommand(IDM_SHOW_RECORDS);
    EXPECT_EQ(controller.ImportRecords(FormatRecords(table)), ImportOutcome::Imported);
    EXPECT_EQ(ReadBytes(recordPath), FormatRecords(table));
    EXPECT_EQ(frontEnd.changes, "(+)");
    EXPECT_EQ(frontEnd.tablePainted.size(), 1u);  // the open panel shows it at once
}

TEST_F(ControllerFixture, StartUpFilesAreToldWithTheRightOwnerAndText) {
    TempFolder files;
    WriteBytes(files.File("damaged.dat"), "not a layout\n");
    EXPECT_EQ(controller.LoadLayout(files.File("missing.dat").c_str()), LayoutStatus::NotFound);
    EXPECT_EQ(controller.LoadLayout(files.File("damaged.dat").c_str()), LayoutStatus::Damaged);
    // Either way the cards lie where the shipped layout puts them.
    SlotPositions shipped{};
    ShippedLayout(shipped);
    EXPECT_EQ(std::memcmp(&shipped, &controller.positions(), sizeof shipped), 0);
    controller.ReportCardSheet(SheetStatus::Ok, true);
    controller.ReportCardSheet(SheetStatus::NotFound, false);
    controller.ReportCardSheet(SheetStatus::Damaged, false);
    controller.ReportCardSheet(SheetStatus::Ok, false);
    EXPECT_EQ(Texts(), (std::vector<std::string>{texts::kFileNotFound, texts::kLayoutNotRead,
                                                 texts::kSheetNotFound, texts::kSheetNotRead,
                                                 texts::kSheetNotRead}));
    EXPECT_EQ(frontEnd.boxes[0].owner, BoxOwner::None);
    EXPECT_EQ(frontEnd.boxes[2].owner, BoxOwner::Window);
}

// Counts the lines a browser game's trace gets, by event.
class CountingTrace final : public TraceWriter {
  public:
    std::string events;

  protected:
    void Write(std::string_view line) override {
        const size_t at = line.find("\"ev\":\"") + 6;
        events += std::string(line.substr(at, line.find('"', at) - at)) + " ";
    }
};

TEST_F(ControllerFixture, ATracedGameStartsAndEndsItsTrace) {
    CountingTrace trace;
    controller.TraceTo(trace);
    controller.ReplayShuffles(31);
    StartGame();
    EXPECT_EQ(trace.events.rfind("start shuffle", 0), 0u) << trace.events;
    controller.OnCommand(IDM_GAME_SET);
    EXPECT_EQ(trace.events.substr(trace.events.size() - 4), "end ");
    // The same shuffles again: the same trace up to the human's first turn.
    const std::string first = trace.events;
    trace.events.clear();
    StartGame();
    EXPECT_EQ(trace.events + "end ", first);
}

}  // namespace
}  // namespace koikoi::testing
