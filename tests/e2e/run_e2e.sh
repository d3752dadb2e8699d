#!/usr/bin/env bash
# End-to-end runs of the real QuenwoldSetup.exe under Wine, in a fresh
# prefix of its own, driven as a person would: registry entries as image
# editors leave them, folders in drive_c, keys pressed with xdotool, the
# screen read back with ImageMagick. Needs a display (CTest runs under Xvfb).
#
#   run_e2e.sh BUILD_DIR
set -u
BUILD=$(cd "$1" && pwd)
EXE="$BUILD/QuenwoldSetup.exe"
PROBE="$BUILD/tests/qwprobe.exe"
PAYLOAD="$BUILD/payload/Tesserella3d.8bf"
TITLE="Quenwold Plugins : Installation"

export WINEPREFIX="$BUILD/e2e-prefix"
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=en_US.UTF-8
DRIVE_C="$WINEPREFIX/drive_c"
SHOTS="$BUILD/e2e-shots"

passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok   $what"
  else
    failed=$((failed + 1))
    echo "FAIL $what"
  fi
}

probe() { wine "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }

# Starts the installer in the background; its pid is in $installer.
start_installer() {
  wine "$EXE" </dev/null >/dev/null 2>&1 &
  installer=$!
  probe wait 20000 >/dev/null
}

# Waits up to 30 s for the installer to end; its exit code goes to $code
# (124 on time-out). Not in a subshell: only this shell can wait for it.
wait_exit() {
  local pid=$1
  code=124
  for _ in $(seq 1 150); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      code=$?
      return
    fi
    sleep 0.2
  done
}

press_escape() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$TITLE\$"); do
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key --clearmodifiers Escape
  done
}

# Darkest grey level (0 black .. 1 white) of the screen in the completion
# text's box: about 0 when the text is there.
completion_darkness() {
  local geometry x y shot
  geometry=$(probe wait 1000) || return 1
  read -r x y _ _ <<<"$geometry"
  shot="$SHOTS/$1.png"
  import -window root "$shot"
  convert "$shot" -crop "210x50+$((x + 274))+$((y + 98))" -colorspace Gray -format "%[fx:minima]" info:
}

# The completion box stays empty; given a few seconds for what covered it
# (a message box) to be repainted away.
stays_light() {
  local level
  for _ in $(seq 1 10); do
    level=$(completion_darkness "$1")
    is_light "$level" && return 0
    sleep 0.5
  done
  return 1
}

is_dark() { awk -v v="$1" 'BEGIN { exit !(v < 0.3) }'; }
is_light() { awk -v v="$1" 'BEGIN { exit !(v > 0.7) }'; }
same_file() { cmp -s "$1" "$2"; }
equals() { [ "$1" = "$2" ]; }
contains() { [[ "$1" == *"$2"* ]]; }

echo "Creating a fresh Wine prefix for the end-to-end runs"
wineserver -k >/dev/null 2>&1
rm -rf "$WINEPREFIX" "$SHOTS"
mkdir -p "$SHOTS"
wineboot --init >/dev/null 2>&1 </dev/null
wineserver -p >/dev/null 2>&1 </dev/null
wine wineboot >/dev/null 2>&1 </dev/null

# --- A machine without image editors -------------------------------------
start_installer
list=$(probe list)
check "without editors the list holds only the browse entry, selected" \
  equals "$list" $'0\n******** BROWSE ********'
probe ok
sleep 1
check "the install command then does nothing: no message" bash -c "! wine '$PROBE' message 500 >/dev/null 2>&1"
check "the install command then writes no file" \
  equals "$(find "$DRIVE_C" -name 'Tesserella3d.8bf' | wc -l)" 0
check "the dialog stays" equals "$(probe count)" 1
press_escape
wait_exit $installer
check "Escape ends the dialog and the process exits with 0" equals "$code" 0

# --- Editors as they leave the registry ----------------------------------
PHOTOSHOP="$DRIVE_C/Program Files/Adobe/Photoshop Ab2/Plug-Ins"
FIREWORKS="$DRIVE_C/Program Files/Fireworks"
IGRAFX="$DRIVE_C/Apps/iGrafx/Plugins"
mkdir -p "$PHOTOSHOP" "$FIREWORKS/plug-ins" "$IGRAFX"
wine reg add 'HKLM\Software\Adobe\Photoshop\9.0' /v PluginPath /d 'C:\Program Files\Adobe\Photoshop Ab2\Plug-Ins' /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Adobe\Common' /v InstallPath /d 'C:\Program Files\Adobe\' /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Quenwold\Hosts' /v PluginFolder /d '"C:\Apps\iGrafx\Plugins"' /f >/dev/null 2>&1
wine reg add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\fireworks.exe' /ve \
  /d 'C:\Program Files\Fireworks\fireworks.exe' /f >/dev/null 2>&1

start_installer
first=$installer
list=$(probe list)
check "the list offers the discovered folders in order, then the browse entry" equals "$list" \
  "0
C:\\Apps\\Igrafx\\Plugins\\
C:\\Program Files\\Adobe\\Photoshop Ab2\\Plug-Ins\\Quenwold\\
C:\\Program Files\\Fireworks\\Plug-Ins\\Quenwold\\
******** BROWSE ********"
geometry=$(probe wait 1000)
check "the window is 500 x 292" bash -c "[ \"\$(echo '$geometry' | cut -d' ' -f3-)\" = '500 292' ]"

started=$(date +%s)
timeout 30 wine "$EXE" </dev/null >/dev/null 2>&1
second=$?
check "a second instance exits with 0" equals "$second" 0
check "a second instance exits at once" test $(($(date +%s) - started)) -le 5
check "a second instance opens no window" equals "$(probe count)" 1

check "before installing there is no completion text" is_light "$(completion_darkness before)"
probe select 1
probe ok
for _ in $(seq 1 50); do [ -f "$PHOTOSHOP/Quenwold/Tesserella3d.8bf" ] && break; sleep 0.2; done
sleep 1
check "the plug-in is written into the maker's new folder, byte for byte" \
  same_file "$PHOTOSHOP/Quenwold/Tesserella3d.8bf" "$PAYLOAD"
check "the completion text appears" is_dark "$(completion_darkness after)"
probe ok
wait_exit $first
check "after installing, IDOK ends the dialog and the process exits with 0" equals "$code" 0

start_installer
check "after the first has ended a new instance starts normally" equals "$(probe count)" 1
press_escape
wait_exit $installer
check "and ends with 0 on Escape" equals "$code" 0

# --- A file that cannot be written ---------------------------------------
mkdir -p "$FIREWORKS/plug-ins/Quenwold/Tesserella3d.8bf"
start_installer
probe select 2
probe ok
message=$(probe message 10000)
check "an unwritable file is told to the user" contains "$message" '"Tesserella3d.8bf" could not be written'
check "the message names the folder" contains "$message" 'C:\Program Files\Fireworks\Plug-Ins\Quenwold\'
check "the message closes with OK" probe close-message
sleep 1
check "no completion text after a failed installation" stays_light failed
check "the dialog stays ready for another choice" equals "$(probe list | head -n 1)" 2
press_escape
wait_exit $installer
check "the process exits with 0" equals "$code" 0

# --- A target whose parent has gone ---------------------------------------
start_installer
rm -rf "$DRIVE_C/Apps/iGrafx"
probe select 0
probe ok
sleep 1
check "a target whose parent is missing installs nothing, silently" \
  bash -c "[ ! -e '$DRIVE_C/Apps/iGrafx' ] && ! wine '$PROBE' message 500 >/dev/null 2>&1"
check "and no completion text is shown" is_light "$(completion_darkness missing)"
press_escape
wait_exit $installer
check "the process exits with 0" equals "$code" 0

wineserver -k >/dev/null 2>&1
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
