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

# Runs a command as root: directly when root, through sudo otherwise.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs those of the given Debian packages that are not installed yet.
install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        as_root apt-get update
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
    fi
}

# Where Qt for Windows is built and kept, outside the checkout.
windows_qt_cache() {
    echo "${PIKVART_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pikvart-windows}"
}

# True for a library that every Windows 10 has (matched ignoring case).
windows_system_dll() {
    case "${1,,}" in
        kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|ole32.dll|oleaut32.dll|\
        comdlg32.dll|winmm.dll|ws2_32.dll|version.dll|netapi32.dll|userenv.dll|uxtheme.dll|\
        dwmapi.dll|imm32.dll|setupapi.dll|shlwapi.dll|wtsapi32.dll|d3d9.dll|d3d11.dll|\
        dxgi.dll|d2d1.dll|dwrite.dll|opengl32.dll|msvcrt.dll|mpr.dll|authz.dll|\
        api-ms-win-*.dll|ntdll.dll|crypt32.dll|secur32.dll|bcrypt.dll|rpcrt4.dll|\
        comctl32.dll|winspool.drv|dcomp.dll|shcore.dll|combase.dll) return 0 ;;
        *) return 1 ;;
    esac
}
