# Shared by run.sh and test.sh: install what the build needs on a Debian
# machine, and the Wine environment that every run of ours uses.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}

export WINEPREFIX="$BUILD/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko download prompts: the installer needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Western European ANSI code page (1252) inside Wine.
export LANG=en_US.UTF-8

need_packages() {
  local missing=()
  command -v i686-w64-mingw32-g++-posix >/dev/null || missing+=(mingw-w64)
  command -v cmake >/dev/null || missing+=(cmake)
  command -v c++ >/dev/null || missing+=(g++)
  command -v xvfb-run >/dev/null || missing+=(xvfb)
  command -v xauth >/dev/null || missing+=(xauth)
  command -v xdotool >/dev/null || missing+=(xdotool)
  command -v import >/dev/null || missing+=(imagemagick)
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
  dpkg -s wine32:i386 >/dev/null 2>&1 || missing+=(wine wine32:i386)
  command -v wine >/dev/null || missing+=(wine)
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

configure_and_build() {
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$BUILD" -j "$(nproc)"
}

# Wine's background services inherit the output of the first Wine process;
# start them here, detached from our pipes, so that nothing waits on them.
start_wine() {
  mkdir -p "$BUILD"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    wineboot --init >/dev/null 2>&1 </dev/null
  fi
  wineserver -p >/dev/null 2>&1 </dev/null
  wine wineboot >/dev/null 2>&1 </dev/null
}

stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
}

# Runs "$@" with an X display: the current one, or a fresh Xvfb.
with_display() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  else
    xvfb-run -a -s "-screen 0 1024x768x24" "$@"
  fi
}
