#!/bin/sh
# Loads the rules page in headless Chromium and checks that it is one
# self-contained document: every picture decodes, nothing is fetched from
# elsewhere, no script fails, and a phone-width window needs no sideways
# scrolling. Leaves screenshots (desktop and phone) in OUTDIR as artefacts.
#
# Usage: rules_page_test.sh PAGE.html OUTDIR
# Exits 77 (skipped) when no Chromium is installed; $CHROMIUM overrides the browser.
set -u

page=$1
outdir=$2
browser=${CHROMIUM:-}
if [ -z "$browser" ]; then
    for name in chromium chromium-browser google-chrome; do
        if command -v "$name" >/dev/null 2>&1; then browser=$name; break; fi
    done
fi
if [ -z "$browser" ]; then
    echo "SKIPPED: no chromium found (apt-get install chromium)"
    exit 77
fi

fail() { echo "FAIL: $*"; exit 1; }

[ -f "$page" ] || fail "no page at $page"
grep -qi '<meta charset="utf-8">' "$page" || fail "the page does not declare its encoding as UTF-8"
# Self-contained: no address of another place in any src, href or url().
if grep -Eqi '(src|href)="(https?:|//|file:)|url\((https?:|//)' "$page"; then
    fail "the page refers to an external resource"
fi
grep -qi '<script' "$page" && fail "the page carries a script of its own"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A copy of the page with a probe appended that reports, once everything has
# loaded, how many images there are, how many failed to decode, how many
# script errors were raised and whether the page is wider than the window.
probe='<script>
var errors = 0;
window.addEventListener("error", function () { errors++; }, true);
window.addEventListener("load", function () {
  var images = document.images, broken = 0;
  for (var i = 0; i < images.length; i++)
    if (!images[i].complete || images[i].naturalWidth === 0) broken++;
  var wide = document.documentElement.scrollWidth > window.innerWidth ? 1 : 0;
  var mark = document.createElement("div");
  mark.id = "page-check";
  mark.textContent = "images=" + images.length + " broken=" + broken + " errors=" + errors + " overflow=" + wide;
  document.body.appendChild(mark);
});
</script>'
sed "s#</body>#$(printf '%s' "$probe" | tr '\n' ' ')</body>#" "$page" > "$work/check.html"

# run TAG ARGS...: one browser run with a fresh profile of its own.
run() {
    tag=$1
    shift
    timeout 180 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile-$tag" --hide-scrollbars "$@" 2>>"$work/browser.log"
}

check_at() {
    width=$1
    dom=$(run "$width" --window-size="$width",900 --virtual-time-budget=10000 --dump-dom "file://$work/check.html")
    result=$(printf '%s' "$dom" | sed -n 's/.*<div id="page-check">\([^<]*\)<.*/\1/p')
    [ -n "$result" ] || { tail -5 "$work/browser.log"; fail "the page did not finish loading at width $width"; }
    echo "width $width: $result"
    case "$result" in
        images=0*) fail "the page shows no pictures" ;;
    esac
    echo "$result" | grep -q ' broken=0 ' || fail "pictures failed to load at width $width"
    echo "$result" | grep -q ' errors=0 ' || fail "script errors at width $width"
    echo "$result" | grep -q ' overflow=0' || fail "the page is wider than a $width-pixel window"
}

check_at 1000
check_at 390

mkdir -p "$outdir"
run shot-desktop --window-size=1000,2400 --screenshot="$outdir/koikoi_page_desktop.png" "file://$page" >/dev/null
run shot-phone --window-size=390,1600 --screenshot="$outdir/koikoi_page_phone.png" "file://$page" >/dev/null
for shot in "$outdir/koikoi_page_desktop.png" "$outdir/koikoi_page_phone.png"; do
    [ -s "$shot" ] || fail "no screenshot $shot"
    echo "screenshot: $shot"
done
echo "PASS"
