#!/usr/bin/env bash
# End to end: the real program on a private X server, used as a person would, with the mouse and
# the keyboard (xdotool) and the clipboard (xclip). Each scenario starts the program with files on
# its command line, clicks buttons at their places in the window's layout, reads what the program
# put on the clipboard, compares it with digests computed by the system's own tools, closes the
# window and expects exit status 0.
#
# Usage: e2e.sh PATH-TO-quorvel PATH-TO-close-window-helper PATH-TO-drag-source
# Exit status 77 (a skip for ctest) when the X tools are missing.
set -uo pipefail

quorvel=$1
close_window=${2:-}
drag_source=${3:-}

skip() {
    echo "SKIP: $* (scripts/deps installs what is needed)"
    exit 77
}
for tool in Xvfb xdotool xclip sha256sum md5sum; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -n "$close_window" ] && [ -x "$close_window" ] || skip "the close-window helper was not built (libX11 headers missing)"
[ -n "$drag_source" ] && [ -x "$drag_source" ] || skip "the drag source was not built"

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        import -window root "$work/failure.png" 2>/dev/null && cp "$work/failure.png" "${TMPDIR:-/tmp}/quorvel-e2e-failure.png" &&
            echo "screen saved in ${TMPDIR:-/tmp}/quorvel-e2e-failure.png"
    fi
    exit 1
}

# A free display: Xvfb picks it and writes its number.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || skip "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY SESSION_MANAGER
echo "Xvfb on $DISPLAY"

# Places in the window, from the layout: the tab control at (0, 27), a page at (4, 23) inside it,
# so page coordinates are offset by (4, 50). Each point is the centre of its control.
page() { echo "$((4 + $1 + $3 / 2)) $((50 + $2 + $4 / 2))"; }
SHA256_BUTTON=$(page 9 164 54 23)
COPY_SHA256=$(page 571 164 24 24)
CALCULATE_MULTIPLE=$(page 258 91 89 33)
COPY_REPORT=$(page 515 136 76 41)
MANUAL_INPUT=$(page 6 24 595 105)
COPY_MANUAL=$(page 566 224 24 24)
TB_SHA256=$(page 74 167 489 22)
# The third tab's header, right of "Single file" and "Multiple files" in the tab bar at the top.
MANUAL_TAB="178 38"

window=""
start() {
    "$quorvel" "$@" >"$work/quorvel.log" 2>&1 &
    app_pid=$!
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name '^#uorvel$' 2>/dev/null | head -n1)
        [ -n "$window" ] && break
        kill -0 "$app_pid" 2>/dev/null || fail "quorvel ended at start: $(cat "$work/quorvel.log")"
        sleep 0.1
    done
    [ -n "$window" ] || fail "the window did not appear"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    origin_x=$X
    origin_y=$Y
    xdotool windowfocus --sync "$window"
}

click() {
    xdotool mousemove --sync $((origin_x + $1)) $((origin_y + $2)) click 1
}

# The clipboard is filled with a marker first, so that only the program's own copy can change it.
mark_clipboard() {
    printf 'nothing copied yet' | xclip -selection clipboard -i
}
clipboard() {
    xclip -selection clipboard -o 2>/dev/null
}

# Clicks the copy button until the clipboard holds what the program copied (the result field stays
# empty, and a copy does nothing, until the job has finished).
copy_until_filled() {
    local x=$1 y=$2
    for _ in $(seq 300); do
        click "$x" "$y"
        local got
        got=$(clipboard)
        if [ -n "$got" ] && [ "$got" != 'nothing copied yet' ]; then
            printf '%s' "$got"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

close_and_check_exit() {
    "$close_window" "$window" || fail "could not ask the window to close"
    local status
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "quorvel did not end when its window closed"
    wait "$app_pid"
    status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "quorvel ended with status $status: $(cat "$work/quorvel.log")"
}

upper() { tr '[:lower:]' '[:upper:]'; }

# Drags the given paths from the other program's window onto the point (x, y) of Quorvel's window
# and prints the drop action the other program was told ("link", or "none" when refused).
drag_onto() {
    local x=$1 y=$2
    shift 2
    "$drag_source" "$@" >"$work/drag.out" 2>"$work/drag.log" &
    local source_pid=$!
    local source_window=""
    for _ in $(seq 100); do
        source_window=$(xdotool search --onlyvisible --name '^quorvel-e2e-drag-source$' 2>/dev/null | head -n1)
        [ -n "$source_window" ] && break
        sleep 0.1
    done
    [ -n "$source_window" ] || fail "the drag source did not appear: $(cat "$work/drag.log")"
    xdotool mousemove --sync 60 50 mousedown 1
    sleep 0.3
    local to_x=$((origin_x + x)) to_y=$((origin_y + y))
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove --sync $((60 + (to_x - 60) * step / 8)) $((50 + (to_y - 50) * step / 8))
        sleep 0.05
    done
    xdotool mousemove --sync $((to_x + 1)) "$to_y"
    sleep 0.3
    xdotool mouseup 1
    for _ in $(seq 100); do
        kill -0 "$source_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$source_pid" 2>/dev/null && fail "the drag did not end"
    wait "$source_pid"
    cat "$work/drag.out"
}

# Test files: text, binary with every byte value, and an empty file.
printf 'The quick brown fox jumps over the lazy dog\n' >"$work/fox.txt"
python3 -c 'import sys; sys.stdout.buffer.write(bytes(range(256)) * 4099)' >"$work/bytes.bin" 2>/dev/null ||
    head -c 1049344 /dev/urandom >"$work/bytes.bin"
: >"$work/empty.dat"

echo "-- One file on the command line, SHA-256, copied"
mark_clipboard
start "$work/bytes.bin"
click $SHA256_BUTTON
expected=$(sha256sum "$work/bytes.bin" | cut -d' ' -f1 | upper)
got=$(copy_until_filled $COPY_SHA256) || fail "SHA-256 never reached the clipboard"
[ "$got" = "$expected" ] || fail "SHA-256 copied '$got', expected '$expected'"
close_and_check_exit
echo "   $got"

echo "-- Three files on the command line, Calculate, report copied"
mark_clipboard
start "$work/fox.txt" "$work/bytes.bin" "$work/empty.dat"
click $CALCULATE_MULTIPLE
report=$(copy_until_filled $COPY_REPORT) || fail "the report never reached the clipboard"
for file in fox.txt bytes.bin empty.dat; do
    digest=$(md5sum "$work/$file" | cut -d' ' -f1 | upper)
    grep -q "^File      : $file" <<<"$report" || fail "the report lacks $file: $report"
    grep -q "^MD5       : $digest" <<<"$report" || fail "the report lacks $file's MD5 $digest: $report"
done
[ "$(grep -c '^MD5       : ' <<<"$report")" -eq 3 ] || fail "the report does not hold three digests: $report"
close_and_check_exit
echo "   $(grep -c '^File      : ' <<<"$report") files in the report"

echo "-- Manual input typed, digest copied"
mark_clipboard
start
click $MANUAL_TAB
click $MANUAL_INPUT
xdotool type --delay 20 '54 68 65 20 71 75 69 63 6b'
expected=$(printf 'The quick' | md5sum | cut -d' ' -f1 | upper)
got=$(copy_until_filled $COPY_MANUAL) || fail "the manual digest never reached the clipboard"
[ "$got" = "$expected" ] || fail "manual input copied '$got', expected '$expected'"
close_and_check_exit
echo "   $got"

echo "-- Files dragged from another program onto the single-file page"
# Between two Qt programs on a bare Xvfb (no window manager) the file list reaches the target while
# the drag moves but arrives empty with the drop itself, so this scenario checks what the desktop
# protocol carries back (the answer, link or none) and which page comes to the front; the paths a
# drop selects are checked by tst_dragdrop.
# The colour at a point of the window, as six hexadecimal digits.
colour_at() {
    import -window "$window" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | head -n1 | upper
}
# Where the multiple-files page has its light green Calculate button (left of its caption), the
# single-file page has white space between the path box and the MD5 row.
CALCULATE_PROBE=$(page 265 96 0 0)
mkdir "$work/folder"
start
[ "$(colour_at $CALCULATE_PROBE)" != C0FFC0 ] || fail "the multiple-files page shows before any drop"
# A folder among the files: the whole drag is refused.
action=$(drag_onto $TB_SHA256 "$work/fox.txt" "$work/folder")
[ "$action" = none ] || fail "a drag holding a folder ended with '$action', expected none"
[ "$(colour_at $CALCULATE_PROBE)" != C0FFC0 ] || fail "a refused drag changed the page"
# Two files over a digest box: taken as a link, and the multiple-files page comes to the front.
action=$(drag_onto $TB_SHA256 "$work/fox.txt" "$work/empty.dat")
[ "$action" = link ] || fail "a drag of two files ended with '$action', expected link"
for _ in $(seq 50); do
    [ "$(colour_at $CALCULATE_PROBE)" = C0FFC0 ] && break
    sleep 0.1
done
[ "$(colour_at $CALCULATE_PROBE)" = C0FFC0 ] || fail "the multiple-files page did not come to the front after the drop"
close_and_check_exit
echo "   refused: none; taken: link; the multiple-files page in front"

echo "All end-to-end scenarios passed."
