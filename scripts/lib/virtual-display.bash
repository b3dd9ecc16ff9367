# Helpers for scripts that run the Windows program on a virtual X display and
# work it with real clicks: scripts/demo and bench/run-panel-bench.
# Needs Xvfb, xdotool and ImageMagick; the caller sets -euo pipefail.

xvfb_pid=""

# Starts Xvfb at the given size (such as 1280x800) and exports DISPLAY. Xvfb
# picks a free display number and writes it to the pipe once it accepts
# connections.
start_virtual_display() {
    local size=$1 log=$2
    local fifo
    fifo=$(mktemp -u "${TMPDIR:-/tmp}/swatchbox-display.XXXXXX")
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fifo" </dev/null >"$log" 2>&1 &
    xvfb_pid=$!
    local display=""
    read -r -t 30 display <"$fifo" || true
    rm -f "$fifo"
    if [[ -z "$display" ]]; then
        cat "$log" >&2
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$display"
}

stop_virtual_display() {
    if [[ -n "$xvfb_pid" ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
}

# Runs a command until it succeeds, for at most about 30 seconds.
wait_for() {
    local what=$1
    shift
    local try
    for ((try = 0; try < 150; try++)); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.2
    done
    echo "gave up waiting for $what" >&2
    return 1
}

main_window() {
    xdotool search --name '^Swatchbox$' | head -n 1 | grep .
}

# Clicks at a point of the main window, counted from its top-left corner;
# further arguments go to xdotool's click (such as --repeat 2).
click() {
    local window
    window=$(main_window)
    xdotool mousemove --window "$window" "$1" "$2" click "${@:3}" 1
}

# True when the texture panel of a main window at the screen's top-left corner
# shows many colours: thumbnails, not one background.
panel_has_thumbnails() {
    local colours
    colours=$(import -window root -crop 600x400+220+60 +repage -format %k info:)
    ((colours > 200))
}

# The part of the screen the main window covers (a preview opens over it).
window_area() {
    local -A value
    local key number
    while IFS='=' read -r key number; do
        value[$key]=$number
    done < <(xdotool getwindowgeometry --shell "$(main_window)")
    echo "${value[WIDTH]}x${value[HEIGHT]}+${value[X]}+${value[Y]}"
}

snapshot() {
    import -window root -crop "$(window_area)" +repage "$1"
}

# True when the window no longer looks as in the given picture.
window_differs_from() {
    local now
    now=$(mktemp --suffix=.png)
    snapshot "$now"
    local status=0
    compare -metric AE "$1" "$now" null: 2>/dev/null || status=$?
    rm -f "$now"
    ((status != 0))
}

# True when two pictures of the window a moment apart are the same.
window_is_steady() {
    local before
    before=$(mktemp --suffix=.png)
    snapshot "$before"
    sleep 0.3
    local status=0
    window_differs_from "$before" || status=$?
    rm -f "$before"
    ((status != 0))
}

# Wine maps the Unix root to drive Z:, so a program under Wine takes a Unix
# path as Z: and the path with backslashes. Fills the array named first with
# the further arguments so written.
windows_paths() {
    local -n into=$1
    shift
    into=()
    local path
    for path in "$@"; do
        into+=("Z:${path//\//\\}")
    done
}

# Starts the program on a package (and any further packages given after the
# repository) and analyses the first with a click on its row.
# The program's folder must hold Swatchbox.exe and its settings file (a main
# window at the screen's top-left corner). Sets program_pid, the process that
# runs it, for the caller.
program_pid=""
show_package() {
    local folder=$1 package=$2 repo=$3
    shift 3
    local packages
    windows_paths packages "$package" "$@"
    # Makes the prefix (first run) and lets it settle before the program starts.
    "$repo/scripts/wine-run" cmd.exe /c exit 0 >/dev/null
    "$repo/scripts/wine-run" "$folder/Swatchbox.exe" "${packages[@]}" &
    # shellcheck disable=SC2034 # read by the caller
    program_pid=$!
    wait_for "the main window" main_window
    # The row takes the click once the window is drawn.
    wait_for "a steady window" window_is_steady
    click 60 56
    wait_for "the thumbnails" panel_has_thumbnails
}
