// The record file as the browser keeps it: result.dat in the page's
// IndexedDB, copied into the memory file system where the record code reads
// and writes it, and the notices when the browser refuses to keep it.
#pragma once

#include <cstdint>

#include "game/texts.h"
#include "web/page_protocol.h"

namespace koikoi::web {

class PageRecords {
  public:
    // The file as this browser last stored it; a first visit, or a browser
    // that keeps nothing, starts from a reset file.
    void LoadAtStart();
    // Another tab may have recorded months since this one last looked.
    void Refresh();
    // Around a change of the file: the cross-tab lock is held between the
    // two, and the file is stored (when changed) before it is let go.
    void BeginChange();
    void EndChange(bool changed);
    // The notices speak the page's language.
    void SetLanguage(Language language) { language_ = language; }

  private:
    void Report(int32_t answer);

    Language language_ = Language::Japanese;
    bool unavailableTold_ = false;
    int32_t changeLoaded_ = kStorageDone;  // the load of the change in progress
};

}  // namespace koikoi::web
