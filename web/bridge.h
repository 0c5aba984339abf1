// The calls between the browser edition's C++ and its page script. Every
// call forwards to a method of the page's `Module.koikoi` object (site/app.js).
// The asynchronous ones suspend the C++ stack with Asyncify until the page's
// promise settles; nothing else of the game runs meanwhile.
#pragma once

#include <emscripten/em_macros.h>

#include <cstdint>

// Asyncify imports are named apart from their C names (EM_ASYNC_JS), and the
// callers must see that name.
#define KOIKOI_ASYNC_IMPORT(name) EM_IMPORT(__asyncjs__##name)

extern "C" {

// Hands the page, before anything else, the facts it must agree on with the
// C++ (event kinds, command ids, menu bits, answers, timers, sizes; a JSON
// object, see page_facts.cpp) and the text table: `count` names and their
// texts in both languages. The page then lays itself out, queues its size and
// starts the guide page's timer.
void koikoi_js_start(const char* factsJson, const char* const* names,
                     const char* const* japaneseTexts, const char* const* englishTexts,
                     int32_t count);
// The language the page chose at start (a Language: its stored choice, else
// the browser's preference), and the language the C++ now paints and asks
// in, so that the page reads the texts it is given in their encoding.
int32_t koikoi_js_language();
void koikoi_js_set_language(int32_t language);

// Events, each four integers: kind, then up to three arguments.
// Waits until the page has queued one.
void koikoi_js_wait_event(int32_t* event) KOIKOI_ASYNC_IMPORT(koikoi_js_wait_event);
// Takes a queued event without waiting; 0 when none is queued.
int32_t koikoi_js_poll_event(int32_t* event);
// Puts an event at the end of the queue (a menu's chosen command).
void koikoi_js_post_event(int32_t kind, int32_t a, int32_t b);
// Waits `ms` scaled by the page's pace switch; always yields to the browser.
void koikoi_js_sleep(int32_t ms) KOIKOI_ASYNC_IMPORT(koikoi_js_sleep);

// Canvas calls on a surface (web_canvas.h); the font is a cell height in
// pixels of the surface and a weight.
void koikoi_js_copy_cell(int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t x, int32_t y);
void koikoi_js_fill(int32_t surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                    int32_t rgb);
void koikoi_js_text(int32_t surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                    int32_t size, int32_t bold, int32_t rgb, int32_t layout, int32_t boxed,
                    int32_t boxRgb, const char* shiftJis);
// The height a word-wrapped text takes in a box of this width.
int32_t koikoi_js_text_height(int32_t surface, int32_t width, int32_t size, int32_t bold,
                              const char* shiftJis);
void koikoi_js_frame(int32_t x, int32_t y);
void koikoi_js_present(int32_t page);

// Window: its mode, the fit of the board (its size on the page, the scale,
// the layout in use with the size of its board and of its guide page) and
// the title timer.
void koikoi_js_set_mode(int32_t game);
void koikoi_js_set_view(int32_t width, int32_t height, float scale, int32_t layout,
                        int32_t boardWidth, int32_t boardHeight, int32_t pageWidth,
                        int32_t pageHeight);
void koikoi_js_start_title_timer(int32_t ms);
void koikoi_js_whiten();
void koikoi_js_open_rules();
void koikoi_js_title_painted();

// Modal questions and the menu: the answer 6 (yes) or 7 (no); the command
// chosen, or 0.
int32_t koikoi_js_ask(const char* shiftJisText, const char* shiftJisCaption, int32_t yesNo)
    KOIKOI_ASYNC_IMPORT(koikoi_js_ask);
int32_t koikoi_js_menu(int32_t x, int32_t y, int32_t enabledBits)
    KOIKOI_ASYNC_IMPORT(koikoi_js_menu);

// The record panel: shown with an opponent checked (its table is due some
// milliseconds later), hidden, an opponent checked again, the first checked
// opponent (-1: none), and its table's canvas cleared for a new painting at
// the table's size.
void koikoi_js_panel_show(int32_t opponent);
void koikoi_js_panel_hide();
void koikoi_js_panel_check(int32_t opponent);
int32_t koikoi_js_panel_checked();
void koikoi_js_panel_clear_table(int32_t width, int32_t height);

// Record storage, each answering a StorageAnswer (page_protocol.h). Begin and
// commit hold the cross-tab lock between them.
int32_t koikoi_js_records_load(const char* path) KOIKOI_ASYNC_IMPORT(koikoi_js_records_load);
int32_t koikoi_js_records_begin(const char* path) KOIKOI_ASYNC_IMPORT(koikoi_js_records_begin);
// `months`: the changed file holds at least one month, which the marks of a
// stored history then say.
int32_t koikoi_js_records_commit(const char* path, int32_t changed, int32_t months)
    KOIKOI_ASYNC_IMPORT(koikoi_js_records_commit);
// Sets the marks outside the store to `months` (a record written before there
// were marks, a cookie's life renewed), or clears them with the mark in the
// store (a loss told once).
void koikoi_js_records_mark(int32_t months) KOIKOI_ASYNC_IMPORT(koikoi_js_records_mark);

// The storage's situation as StorageFlag bits (page_protocol.h); asks the
// player nothing.
int32_t koikoi_js_storage_state() KOIKOI_ASYNC_IMPORT(koikoi_js_storage_state);
// Asks the browser to keep the storage for good, and answers the situation
// after it. A browser that asks the player is not waited for: the answer is
// kStorageAsking, and a refusal comes later as kEventStorageNotKept.
int32_t koikoi_js_storage_keep() KOIKOI_ASYNC_IMPORT(koikoi_js_storage_keep);
// A notice with OK and one StorageOffer; returns when it is closed.
void koikoi_js_storage_notice(const char* shiftJisText, const char* shiftJisCaption, int32_t offer)
    KOIKOI_ASYNC_IMPORT(koikoi_js_storage_notice);
// The notice that the record may be cleared was dismissed in this situation.
void koikoi_js_storage_dismiss() KOIKOI_ASYNC_IMPORT(koikoi_js_storage_dismiss);
int32_t koikoi_js_import_size();
void koikoi_js_import_take(char* buffer, int32_t size);

// The test switch.
int32_t koikoi_js_seed_switch(uint32_t* seedHigh, uint32_t* seedLow);
int32_t koikoi_js_tracing();
void koikoi_js_trace(const char* line, int32_t length);
}
