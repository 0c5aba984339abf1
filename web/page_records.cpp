// The record file in the browser's storage.
#include "web/page_records.h"

#include <cstdio>

#include "files/records.h"
#include "game/texts.h"
#include "web/bridge.h"

namespace koikoi::web {

void PageRecords::LoadAtStart() {
    const int32_t loaded = koikoi_js_records_load(kRecordPath);
    if (loaded != kStorageDone) {
        if (std::FILE* file = std::fopen(kRecordPath, "rb")) {
            std::fclose(file);
        } else {
            ResetRecords(kRecordPath);
        }
    }
    if (loaded == kStorageUnavailable) Report(loaded);
}

void PageRecords::Refresh() {
    koikoi_js_records_load(kRecordPath);
}

// Two tabs must not lose a month: each change of the record file runs under
// the page's Web Lock "koikoi-records", re-reads the file from IndexedDB
// after taking the lock, changes it, and stores it before letting go. A
// second tab's change waits for the first and then starts from its result.
void PageRecords::BeginChange() {
    changeLoaded_ = koikoi_js_records_begin(kRecordPath);
}

void PageRecords::EndChange(bool changed) {
    const int32_t stored = koikoi_js_records_commit(kRecordPath, changed ? 1 : 0);
    if (changeLoaded_ == kStorageUnavailable || stored == kStorageUnavailable) {
        Report(kStorageUnavailable);
    } else if (stored != kStorageDone) {
        Report(kStorageFull);
    }
}

// Unavailable storage is told once a visit; a refused write every time, as
// that month is kept only in the page.
void PageRecords::Report(int32_t answer) {
    if (answer == kStorageUnavailable) {
        if (unavailableTold_) return;
        unavailableTold_ = true;
        koikoi_js_ask(Text(language_, TextId::StorageUnavailable),
                      Text(language_, TextId::StorageCaption), 0);
        return;
    }
    koikoi_js_ask(Text(language_, TextId::StorageFull), Text(language_, TextId::StorageCaption), 0);
}

}  // namespace koikoi::web
