// The page script's side of each call lives in site/app.js; these are only
// the forwarders Emscripten needs to see.
#include "web/bridge.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, koikoi_js_start, (const char* facts, const char* const* names, const char* const* japaneseTexts, const char* const* englishTexts, int32_t count), {
    Module.koikoi.start(facts, names, japaneseTexts, englishTexts, count);
});
EM_JS(int32_t, koikoi_js_language, (), {
    return Module.koikoi.language();
});
EM_JS(void, koikoi_js_set_language, (int32_t language), {
    Module.koikoi.setLanguage(language);
});
EM_ASYNC_JS(void, koikoi_js_wait_event, (int32_t* event), {
    await Module.koikoi.waitEvent(event);
});
EM_JS(int32_t, koikoi_js_poll_event, (int32_t* event), {
    return Module.koikoi.pollEvent(event);
});
EM_JS(void, koikoi_js_post_event, (int32_t kind, int32_t a, int32_t b), {
    Module.koikoi.postEvent(kind, a, b);
});
EM_ASYNC_JS(void, koikoi_js_sleep, (int32_t ms), {
    await Module.koikoi.sleep(ms);
});
EM_JS(void, koikoi_js_copy_cell, (int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t x, int32_t y), {
    Module.koikoi.copyCell(sx, sy, w, h, x, y);
});
EM_JS(void, koikoi_js_fill, (int32_t surface, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t rgb), {
    Module.koikoi.fill(surface, left, top, right, bottom, rgb);
});
EM_JS(void, koikoi_js_text, (int32_t surface, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t size, int32_t bold, int32_t rgb, int32_t layout, int32_t boxed, int32_t boxRgb, const char* text), {
    Module.koikoi.text(surface, left, top, right, bottom, size, bold, rgb, layout, boxed, boxRgb, text);
});
EM_JS(void, koikoi_js_frame, (int32_t x, int32_t y), {
    Module.koikoi.frame(x, y);
});
EM_JS(void, koikoi_js_present, (int32_t page), {
    Module.koikoi.present(page);
});
EM_JS(void, koikoi_js_set_mode, (int32_t game), {
    Module.koikoi.setMode(game);
});
EM_JS(void, koikoi_js_set_view, (int32_t width, int32_t height, float scale, int32_t layout, int32_t boardWidth, int32_t boardHeight, int32_t pageWidth, int32_t pageHeight), {
    Module.koikoi.setView(width, height, scale, layout, boardWidth, boardHeight, pageWidth, pageHeight);
});
EM_JS(int32_t, koikoi_js_text_height, (int32_t surface, int32_t width, int32_t size, int32_t bold, const char* text), {
    return Module.koikoi.textHeight(surface, width, size, bold, text);
});
EM_JS(void, koikoi_js_start_title_timer, (int32_t ms), {
    Module.koikoi.startTitleTimer(ms);
});
EM_JS(void, koikoi_js_whiten, (), {
    Module.koikoi.whiten();
});
EM_JS(void, koikoi_js_open_rules, (), {
    Module.koikoi.openRules();
});
EM_JS(void, koikoi_js_title_painted, (), {
    Module.koikoi.titlePainted();
});
EM_ASYNC_JS(int32_t, koikoi_js_ask, (const char* text, const char* caption, int32_t yesNo), {
    return await Module.koikoi.ask(text, caption, yesNo);
});
EM_ASYNC_JS(int32_t, koikoi_js_menu, (int32_t x, int32_t y, int32_t enabledBits), {
    return await Module.koikoi.menu(x, y, enabledBits);
});
EM_JS(void, koikoi_js_panel_show, (int32_t opponent), {
    Module.koikoi.panelShow(opponent);
});
EM_JS(void, koikoi_js_panel_hide, (), {
    Module.koikoi.panelHide();
});
EM_JS(void, koikoi_js_panel_check, (int32_t opponent), {
    Module.koikoi.panelCheck(opponent);
});
EM_JS(int32_t, koikoi_js_panel_checked, (), {
    return Module.koikoi.panelChecked();
});
EM_JS(void, koikoi_js_panel_clear_table, (int32_t width, int32_t height), {
    Module.koikoi.panelClearTable(width, height);
});
EM_ASYNC_JS(int32_t, koikoi_js_records_load, (const char* path), {
    return await Module.koikoi.recordsLoad(UTF8ToString(path));
});
EM_ASYNC_JS(int32_t, koikoi_js_records_begin, (const char* path), {
    return await Module.koikoi.recordsBegin(UTF8ToString(path));
});
EM_ASYNC_JS(int32_t, koikoi_js_records_commit, (const char* path, int32_t changed, int32_t months), {
    return await Module.koikoi.recordsCommit(UTF8ToString(path), changed, months);
});
EM_ASYNC_JS(void, koikoi_js_records_mark, (int32_t months), {
    await Module.koikoi.recordsMark(months);
});
EM_ASYNC_JS(int32_t, koikoi_js_storage_state, (), {
    return await Module.koikoi.storageState();
});
EM_ASYNC_JS(int32_t, koikoi_js_storage_keep, (), {
    return await Module.koikoi.storageKeep();
});
EM_ASYNC_JS(void, koikoi_js_storage_notice, (const char* text, const char* caption, int32_t offer), {
    await Module.koikoi.storageNotice(text, caption, offer);
});
EM_ASYNC_JS(void, koikoi_js_storage_dismiss, (), {
    await Module.koikoi.storageDismiss();
});
EM_JS(int32_t, koikoi_js_import_size, (), {
    return Module.koikoi.importSize();
});
EM_JS(void, koikoi_js_import_take, (char* buffer, int32_t size), {
    Module.koikoi.importTake(buffer, size);
});
EM_JS(int32_t, koikoi_js_seed_switch, (uint32_t* seedHigh, uint32_t* seedLow), {
    return Module.koikoi.seedSwitch(seedHigh, seedLow);
});
EM_JS(int32_t, koikoi_js_tracing, (), {
    return Module.koikoi.tracing();
});
EM_JS(void, koikoi_js_trace, (const char* line, int32_t length), {
    Module.koikoi.trace(line, length);
});
// clang-format on
