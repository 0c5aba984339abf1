// What the browser edition's C++ and its page script agree on: the events
// the page queues, the menu's enabling bits, the answers of its boxes and of
// its record storage, what it knows of that storage, and the files in its
// memory file system. The page learns every value from page_facts.cpp.
#pragma once

#include <cstdint>

namespace koikoi::web {

// What the page queues; each event is four integers, the kind first.
enum EventKind : int32_t {
    kEventClick = 1,         // x, y: CSS pixels on the board canvas
    kEventRightClick = 2,    // x, y: page coordinates the menu opens at
    kEventCommand = 3,       // a menu command id
    kEventClose = 4,         // the page's close box
    kEventTitleTimer = 5,    // the one-shot guide-page timer
    kEventViewport = 6,      // width, height of the page in CSS pixels
    kEventPanelClose = 7,    // the record panel's 閉じる
    kEventPanelChoose = 8,   // 対戦相手決定
    kEventPanelReset = 9,    // 戦績リセット
    kEventPanelImport = 10,  // a record file was chosen for import
    kEventPanelTimer = 11,   // the panel's table is due
    kEventLanguage = 12,     // a Language: the menu's language item
    // The browser answered late that it will not keep the record for good
    // (a browser that asks the player first); a: StorageFlag bits.
    kEventStorageNotKept = 13,
};

struct Event {
    int32_t kind, a, b, c;
};

// The menu's enabling as the page reads it: one bit per item.
enum MenuBit : int32_t {
    kMenuBitGameStart = 1,
    kMenuBitGameSet = 2,
    kMenuBitShowRecords = 4,
    kMenuBitExit = 8,
};

// What the page's record storage answers: the file loaded or stored; none
// stored yet (a load); storage unavailable; the write refused (storage full).
enum StorageAnswer : int32_t {
    kStorageDone = 0,
    kStorageNothingStored = 1,
    kStorageUnavailable = 2,
    kStorageFull = 3,
};

// What the page knows of its storage: the browser keeps it for good
// (persistent storage granted); the page runs as an installed app; the
// storage held months when the record was last stored (told by a mark stored
// with the record, or, where the browser cleared that, by the marks kept
// outside it); the notice that the record may be cleared was dismissed in
// this situation; the browser is still asking the player whether to keep it.
enum StorageFlag : int32_t {
    kStorageKept = 1,
    kStorageInstalled = 2,
    kStorageHadMonths = 4,
    kStorageNoticeDismissed = 8,
    kStorageAsking = 16,
};

// What a storage notice offers besides OK, carried out by the page itself
// inside the player's click: the record downloaded, or a file chosen to load.
enum StorageOffer : int32_t {
    kOfferExport = 1,
    kOfferImport = 2,
};

// The OK button's answer; yes and no answer kYes and kNo.
inline constexpr int32_t kAnswerOk = 1;

// The record file in the page's memory file system; the page loads it from
// IndexedDB before every read that matters and stores it after every write.
inline constexpr char kRecordPath[] = "/records/result.dat";
inline constexpr char kLayoutPath[] = "/site/allocation.dat";

// The rules page beside the page, by Language.
inline constexpr const char* kRulesPages[] = {"koikoi.html", "koikoi-en.html"};

}  // namespace koikoi::web
