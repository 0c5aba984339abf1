// The page's facts, taken from the constants the C++ itself uses.
#include "web/page_facts.h"

#include <cstddef>
#include <cstdio>

#include "files/records.h"
#include "game/cards.h"
#include "game/slot_positions.h"
#include "game/table.h"
#include "opponents/roster.h"
#include "presentation/board_geometry.h"
#include "presentation/window_controller.h"
#include "resources/resource_ids.h"
#include "web/page_protocol.h"
#include "web/web_canvas.h"

namespace koikoi::web {

namespace {

// Appends `"name":value` pairs, a comma before every pair but the first of
// an object.
class Json {
  public:
    Json& Open(const char* name = nullptr) {
        Key(name);
        out_ += '{';
        first_ = true;
        return *this;
    }
    Json& Close() {
        out_ += '}';
        first_ = false;
        return *this;
    }
    Json& Number(const char* name, long long value) {
        Key(name);
        out_ += std::to_string(value);
        return *this;
    }
    Json& Pair(const char* name, long long first, long long second) {
        Key(name);
        out_ += '[' + std::to_string(first) + ',' + std::to_string(second) + ']';
        return *this;
    }
    // Names and colours only: ASCII without quotes or backslashes.
    Json& String(const char* name, const std::string& value) {
        Key(name);
        out_ += '"' + value + '"';
        return *this;
    }
    // A string in a list.
    Json& Item(const std::string& value) { return String(nullptr, value); }
    Json& OpenList(const char* name) {
        Key(name);
        out_ += '[';
        first_ = true;
        return *this;
    }
    Json& CloseList() {
        out_ += ']';
        first_ = false;
        return *this;
    }
    std::string Take() { return std::move(out_); }

  private:
    void Key(const char* name) {
        if (!first_) out_ += ',';
        first_ = false;
        if (name != nullptr) out_ += '"' + std::string(name) + "\":";
    }

    std::string out_;
    bool first_ = true;
};

std::string Colour(const OpponentColour& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.r, colour.g, colour.b);
    return text;
}

}  // namespace

std::string PageFacts() {
    Json json;
    json.Open();
    json.Open("events")
        .Number("click", kEventClick)
        .Number("rightClick", kEventRightClick)
        .Number("command", kEventCommand)
        .Number("close", kEventClose)
        .Number("titleTimer", kEventTitleTimer)
        .Number("viewport", kEventViewport)
        .Number("panelClose", kEventPanelClose)
        .Number("panelChoose", kEventPanelChoose)
        .Number("panelReset", kEventPanelReset)
        .Number("panelImport", kEventPanelImport)
        .Number("panelTimer", kEventPanelTimer)
        .Number("language", kEventLanguage)
        .Number("storageNotKept", kEventStorageNotKept)
        .Close();
    json.Open("commands")
        .Number("start", IDM_GAME_START)
        .Number("set", IDM_GAME_SET)
        .Number("records", IDM_SHOW_RECORDS)
        .Number("rules", IDM_RULES)
        .Number("exit", IDM_EXIT)
        .Close();
    json.Open("menuBits")
        .Number("start", kMenuBitGameStart)
        .Number("set", kMenuBitGameSet)
        .Number("records", kMenuBitShowRecords)
        .Number("exit", kMenuBitExit)
        .Close();
    json.Open("answers").Number("yes", kYes).Number("no", kNo).Number("ok", kAnswerOk).Close();
    json.Open("storage")
        .Number("done", kStorageDone)
        .Number("nothingStored", kStorageNothingStored)
        .Number("unavailable", kStorageUnavailable)
        .Number("full", kStorageFull)
        .Close();
    json.Open("storageFlags")
        .Number("kept", kStorageKept)
        .Number("installed", kStorageInstalled)
        .Number("hadMonths", kStorageHadMonths)
        .Number("noticeDismissed", kStorageNoticeDismissed)
        .Number("asking", kStorageAsking)
        .Close();
    json.Open("offers").Number("export", kOfferExport).Number("import", kOfferImport).Close();
    json.Open("paths").String("layout", kLayoutPath).String("records", kRecordPath).Close();
    json.Open("timers")
        .Number("title", kTitleTimerMs)
        .Number("panelTable", kPanelTableDelayMs)
        .Close();
    json.Pair("board", kBoardWidth, kBoardHeight).Pair("card", kCardWidth, kCardHeight);
    json.OpenList("layouts");
    for (int32_t layout = 0; layout < kBoardLayouts; ++layout) {
        json.Item(LayoutName(static_cast<BoardLayout>(layout)));
    }
    json.CloseList();
    json.Number("touchTarget", kTouchCardWidth).Number("phoneBar", kPhoneBar);
    json.OpenList("rulesPages");
    for (const char* page : kRulesPages) json.Item(page);
    json.CloseList();
    json.Open("surfaces")
        .Number("board", static_cast<int32_t>(Surface::Board))
        .Number("recordTable", static_cast<int32_t>(Surface::RecordTable))
        .Close();
    json.Open("textLayouts")
        .Number("centredLine", static_cast<int32_t>(TextLayout::CentredLine))
        .Number("wordWrap", static_cast<int32_t>(TextLayout::WordWrap))
        .Close();
    json.Open("summary")
        .Number("bytes", sizeof(RecordSummary))
        .Number("months", offsetof(RecordSummary, months))
        .Number("counts", offsetof(RecordSummary, counts))
        .Number("countsLength", std::size(RecordSummary{}.counts))
        .Number("average", offsetof(RecordSummary, average))
        .Close();
    json.OpenList("opponents");
    for (const OpponentProfile& opponent : kOpponentTable) {
        json.Open()
            .String("name", kTextNames[static_cast<uint16_t>(opponent.name)])
            .String("colour", Colour(opponent.colour))
            .Close();
    }
    json.CloseList();
    json.Close();
    return json.Take();
}

}  // namespace koikoi::web
