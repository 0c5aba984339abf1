// The record file in the browser's storage.
#include "web/page_records.h"

#include <cstdio>

#include "files/records.h"
#include "game/texts.h"
#include "web/bridge.h"

namespace koikoi::web {

namespace {

// Whether the file in the memory file system holds a month of any opponent.
bool HoldsMonths() {
    RecordSummary summary[kOpponents];
    if (ReadRecordSummary(kRecordPath, summary) != RecordStatus::Ok) return false;
    for (const RecordSummary& opponent : summary) {
        if (opponent.months > 0) return true;
    }
    return false;
}

}  // namespace

void PageRecords::LoadAtStart() {
    const int32_t loaded = koikoi_js_records_load(kRecordPath);
    if (loaded != kStorageDone) {
        if (std::FILE* file = std::fopen(kRecordPath, "rb")) {
            std::fclose(file);
        } else {
            ResetRecords(kRecordPath);
        }
    }
    if (loaded == kStorageUnavailable) {
        Report(loaded);
        return;
    }
    const int32_t flags = koikoi_js_storage_state();
    if (HoldsMonths()) {
        koikoi_js_records_mark(1);
        TellMayBeCleared(flags);
    } else if ((flags & kStorageHadMonths) != 0) {
        // Months were stored and none are left, and no reset or import
        // emptied the record (either would have cleared the marks): the
        // browser cleared the storage. Told once: the marks go with the notice.
        koikoi_js_storage_notice(Text(language_, TextId::StorageLost),
                                 Text(language_, TextId::StorageLostCaption), kOfferImport);
        koikoi_js_records_mark(0);
    }
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
    const bool months = changed && HoldsMonths();
    const int32_t stored = koikoi_js_records_commit(kRecordPath, changed ? 1 : 0, months ? 1 : 0);
    if (changeLoaded_ == kStorageUnavailable || stored == kStorageUnavailable) {
        Report(kStorageUnavailable);
    } else if (stored != kStorageDone) {
        Report(kStorageFull);
    } else if (months && !keepAsked_) {
        // Stored months are worth keeping: the browser is asked to keep
        // them for good at the first month (or import) of a visit.
        keepAsked_ = true;
        TellMayBeCleared(koikoi_js_storage_keep());
    }
}

void PageRecords::OnNotKept(int32_t flags) {
    TellMayBeCleared(flags);
}

// Where the browser may clear the record, the player is told once, with the
// export at hand; the notice comes back only in another situation.
void PageRecords::TellMayBeCleared(int32_t flags) {
    if ((flags & (kStorageKept | kStorageNoticeDismissed | kStorageAsking)) != 0) return;
    const bool installed = (flags & kStorageInstalled) != 0;
    koikoi_js_storage_notice(
        Text(language_, installed ? TextId::StorageMayBeClearedApp : TextId::StorageMayBeCleared),
        Text(language_, TextId::StorageCaption), kOfferExport);
    koikoi_js_storage_dismiss();
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
