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

# True when apt is configured with a deb-src entry (under ETC, /etc/apt by default).
has_deb_src() {
    local etc=${1:-/etc/apt}
    grep -qsE '^[[:space:]]*deb-src[[:space:]]' "$etc/sources.list" "$etc"/sources.list.d/*.list \
        || grep -qsiE '^Types:.*[[:space:]]deb-src([[:space:]]|$)' "$etc"/sources.list.d/*.sources
}

# Writes the machine's configured deb entries (the deb822 .sources files and the
# one-line .list files under ETC, /etc/apt by default) into the folder OUT as
# deb-src entries: the same URIs, suites, components and keys, only the type
# changed. Entries marked "Enabled: no" and commented lines are left out.
derive_deb_src() {
    local out=$1 etc=${2:-/etc/apt} file
    mkdir -p "$out"
    : >"$out/derived.sources"
    : >"$out/derived.list"
    for file in "$etc"/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk 'BEGIN { RS = ""; FS = "\n" }
        {
            types = ""; enabled = 1; fields = ""
            for (i = 1; i <= NF; i++) {
                if ($i ~ /^#/) continue
                if (tolower($i) ~ /^types:/) { types = " " substr($i, 7) " "; gsub(/[ \t]+/, " ", types); continue }
                if (tolower($i) ~ /^enabled:[ \t]*no/) enabled = 0
                fields = fields $i "\n"
            }
            if (enabled && types ~ / deb /) printf "Types: deb-src\n%s\n", fields
        }' "$file" >>"$out/derived.sources"
    done
    for file in "$etc/sources.list" "$etc"/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        sed -n 's/^[[:space:]]*deb\([[:space:]]\)/deb-src\1/p' "$file" >>"$out/derived.list"
    done
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
