# Shared by the project's scripts: installing what is missing, the display and the Wine
# prefix that the Windows programs run in. Source it; it defines functions only.

repo_root() { cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd; }

# Debian/Ubuntu packages the build and the tests need.
QUORVATH_PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-dev clang-format python3 imagemagick
  libmagickcore-6.q16-6-extra
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 fonts-wine xvfb xauth xdotool
)

# Installs the packages that are not installed yet (as root, or through sudo).
install_missing_packages() {
  local missing=() package
  for package in "${QUORVATH_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

# Builds quorvath.exe (and further MinGW targets given) and lays out a program folder in
# $1: quorvath.exe with the demo kit beside it.
build_program_folder() {
  local folder="$1"
  shift
  local root
  root=$(repo_root)
  cmake --preset mingw >/dev/null
  cmake --build --preset mingw --target quorvath "$@"
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$root/build/mingw/bin/quorvath.exe" "$folder/"
  cp -r "$root/kit/demo/." "$folder/"
  rm -f "$folder/README.md"
}

# Starts a virtual X display unless one is given in DISPLAY. Sets QUORVATH_XVFB_PID when it
# started one. Xvfb picks a free display number itself, so that scripts starting at the same
# moment never share one.
start_display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${QUORVATH_FORCE_XVFB:-}" ]; then return 0; fi
  local number_file waited
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  QUORVATH_XVFB_PID=$!
  for waited in $(seq 1 100); do
    if [ -s "$number_file" ]; then
      export DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
      rm -f "$number_file"
      return 0
    fi
    sleep 0.1
  done
  rm -f "$number_file"
  echo "Could not start Xvfb." >&2
  return 1
}

# Prepares the Wine prefix in WINEPREFIX (created on first use) and keeps its server up, so
# that each Windows program starts in well under a second. Windows open in a virtual
# desktop, drawn by Wine with their frames, at 96 DPI unless QUORVATH_DPI says otherwise.
prepare_wine() {
  export WINEDEBUG="${WINEDEBUG:--all}"
  : "${WINEPREFIX:?}"
  export WINEPREFIX
  mkdir -p "$WINEPREFIX"
  # Wine's Recycle Bin is the desktop's trash under XDG_DATA_HOME: runs moved there by a test
  # stay in the prefix, not in the home of whoever runs it.
  export XDG_DATA_HOME="$WINEPREFIX/xdg-data"
  wineserver -p 2>/dev/null || true  # one already running for this prefix will do
  # No dialogs offering to install Wine's .NET or HTML engines while the prefix is made.
  WINEDLLOVERRIDES="mscoree,mshtml=" wine cmd /c exit </dev/null >/dev/null 2>&1
  # Wine links the prefix's Documents, Desktop and other folders to the home folder: made
  # folders of the prefix instead, so that nothing a program saves there lands in the home of
  # whoever runs it.
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos}; do
    if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
  done
  # Wine's own fonts ("MS Sans Serif" among them) are found only in the prefix's font folder.
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  local dpi="${QUORVATH_DPI:-96}"
  wine_reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
  wine_reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024
  wine_reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
  wine_reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
  # The DPI is read when the server starts.
  wineserver -k
  wineserver -p 2>/dev/null || true  # one already running for this prefix will do
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

wine_reg() { wine reg "$@" /f </dev/null >/dev/null 2>&1; }

stop_wine_and_display() {
  [ -n "${WINEPREFIX:-}" ] && { wineserver -k 2>/dev/null || true; }
  [ -n "${QUORVATH_XVFB_PID:-}" ] && { kill "$QUORVATH_XVFB_PID" 2>/dev/null || true; }
  return 0
}
