// The browser edition's window: the event loop that hands what the page
// queues to the window controller, and what the controller needs of the
// page (its dialogs, its event queue and sleeps, its modes, the record panel
// and the record storage in IndexedDB).
#pragma once

#include <cstdint>
#include <string_view>

#include "match/trace.h"
#include "presentation/window_controller.h"
#include "web/page_protocol.h"
#include "web/page_records.h"
#include "web/web_canvas.h"

namespace koikoi::web {

// Trace lines go to the page's window.koikoiTrace.
class PageTrace final : public TraceWriter {
  protected:
    void Write(std::string_view line) override;
};

class WebWindow final : public WindowFrontEnd {
  public:
    explicit WebWindow(uint64_t seed);
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;

    WindowController& controller() { return controller_; }

    // Loads the record file, then runs the event loop; never returns.
    [[noreturn]] void Run();

    // WindowFrontEnd
    int32_t ShowBox(BoxOwner owner, BoxKind kind, const char* text, const char* caption) override;
    void SleepAndDispatch(int32_t ms) override;
    void ShowGameMode(const ViewFit& view) override;
    void ShowTitleMode() override;
    void StartTitleTimer(int32_t ms) override;
    bool OpenRulesPage() override;
    void DestroyWindow() override { destroyed_ = true; }
    bool OpenRecordPanel(uint8_t opponent) override;
    void CloseRecordPanel() override;
    void CheckOpponent(uint8_t opponent) override;
    void PaintRecordPanel(const RecordSummary (&summary)[kOpponents],
                          RecordTableShape shape) override;
    void BeginRecordChange() override;
    void EndRecordChange(bool changed) override;
    void RefreshRecords() override;
    void TitlePainted() override;

  private:
    void Dispatch(const Event& event);
    void AfterOuterDispatch();
    void OnRightClick(int32_t x, int32_t y);
    void OnViewport(int32_t width, int32_t height);
    void OnImport();
    void OnLanguage(int32_t code, bool repaint = true);

    WebCanvas canvas_{Surface::Board};
    WebCanvas tableCanvas_{Surface::RecordTable};
    WindowController controller_;
    PageTrace trace_;
    // The page cannot close: its window's end is a fresh guide page, shown
    // once the event that asked for it has been dispatched.
    bool destroyed_ = false;
    PageRecords records_;
};

}  // namespace koikoi::web
