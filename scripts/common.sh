# Shell functions shared by the scripts; source it from the project's root folder.

# Makes DIR a working folder as a user has it: the stand-in flasher as
# data/v_klay.exe and the example files in data/All Patches/ (kept where present).
prepare_run_folder() {
    local dir=$1
    mkdir -p "$dir/data/All Patches"
    cp build/tools/standinflasher/v_klay "$dir/data/v_klay.exe"
    cp -n "tools/runfolder/All Patches/"* "$dir/data/All Patches/" 2>/dev/null || true
}

# Starts Xvfb on a display it chooses itself, keeping its files in DIR; sets
# xvfb_pid (for the caller's clean-up), DISPLAY and QT_QPA_PLATFORM.
start_xvfb() {
    local dir=$1
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$dir/display" ] && break
        sleep 0.1
    done
    [ -s "$dir/display" ] || { cat "$dir/xvfb.log" >&2; return 1; }
    export DISPLAY=":$(cat "$dir/display")"
    export QT_QPA_PLATFORM=xcb
}
