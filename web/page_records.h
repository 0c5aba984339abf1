// The record file as the browser keeps it: result.dat in the page's
// IndexedDB, copied into the memory file system where the record code reads
// and writes it, and the notices when the browser refuses to keep it, may
// clear it, or has cleared it.
#pragma once

#include <cstdint>

#include "game/texts.h"
#include "web/page_protocol.h"

namespace koikoi::web {

class PageRecords {
  public:
    // The file as this browser last stored it; a first visit, or a browser
    // that keeps nothing, starts from a reset file. A history the browser
    // has cleared since is told, and one it may clear.
    void LoadAtStart();
    // Another tab may have recorded months since this one last looked.
    void Refresh();
    // Around a change of the file: the cross-tab lock is held between the
    // two, and the file is stored (when changed) before it is let go.
    void BeginChange();
    void EndChange(bool changed);
    // The notices speak the page's language.
    void SetLanguage(Language language) { language_ = language; }
    // The browser's late answer that it will not keep the record for good;
    // `flags` are the StorageFlag bits of the situation then.
    void OnNotKept(int32_t flags);

  private:
    void Report(int32_t answer);
    void TellMayBeCleared(int32_t flags);

    Language language_ = Language::Japanese;
    bool unavailableTold_ = false;
    bool keepAsked_ = false;               // the browser is asked once a visit
    int32_t changeLoaded_ = kStorageDone;  // the load of the change in progress
};

}  // namespace koikoi::web
