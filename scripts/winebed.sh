#!/usr/bin/env bash
# The Wine test bed: a private Xvfb display and a throwaway Wine prefix that plays Japanese Windows
# (code page 932, Japanese font faces). Source it and call bed_start / bed_wine / bed_stop, or call
# it as a command:
#   winebed.sh template            build the template prefix if it is missing or out of date
#   winebed.sh exec [--en] [--dpi N] CMD...
#                                  run one Windows command in a fresh bed (English locale, a screen
#                                  of N dots per inch), then tear it down
#   winebed.sh shell               a bash inside a fresh bed (DISPLAY, WINEPREFIX... exported)
#   winebed.sh stop-all            end every bed of this checkout (Xvfb, wineserver, run prefix)
# Nothing here touches the user's DISPLAY or ~/.wine: every variable Wine reads is set explicitly.

# Bump when the template's contents change: a stale template is rebuilt on the next start.
QB_BED_VERSION=4

QB_ROOT=${QB_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
QB_BED_DIR=${QB_BED_DIR:-$QB_ROOT/build/wine}
QB_BED_TMP=${QB_BED_TMP:-$QB_ROOT/build/tmp}
QB_TEMPLATE=$QB_BED_DIR/template
QB_BED_TIMEOUT=${QB_BED_TIMEOUT:-300}
QB_JA_LOCALE=ja_JP.UTF-8
QB_EN_LOCALE=C.UTF-8

# Japanese and dialog faces that Windows has and the bed lacks, mapped onto the IPA fonts.
QB_FONT_SUBSTITUTES=(
  "ＭＳ ゴシック=IPAGothic" "ＭＳ Ｐゴシック=IPAPGothic" "ＭＳ 明朝=IPAMincho" "ＭＳ Ｐ明朝=IPAPMincho"
  "MS Gothic=IPAGothic" "MS PGothic=IPAPGothic" "MS Mincho=IPAMincho" "MS PMincho=IPAPMincho"
  "MS Shell Dlg=IPAPGothic" "MS Shell Dlg 2=IPAPGothic" "Tahoma=IPAPGothic" "MS UI Gothic=IPAPGothic"
  "Segoe UI=IPAPGothic" "Meiryo=IPAPGothic" "メイリオ=IPAPGothic"
)
QB_FONTSUBST_KEY='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'

bed_log() { echo "winebed: $*" >&2; }

# bed_env ja|en COMMAND...: runs COMMAND with the Wine locale of that language.
bed_env() {
  local lang=$QB_JA_LOCALE
  [[ $1 == en ]] && lang=$QB_EN_LOCALE
  shift
  env LANG="$lang" LC_ALL="$lang" "$@"
}

# The environment every Wine call of the bed gets (the display is added by bed_start).
bed_export_env() {
  export WINEPREFIX=$1
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
  export TMPDIR=$QB_BED_TMP
  # The locale goes to each Wine call through env (bed_env): assigning LC_ALL inside bash makes it
  # try, and complain about, a glibc locale that need not be installed.
  unset WINEARCH WINELOADER WINESERVER
  mkdir -p "$QB_BED_TMP"
}

# Writes the font substitutes as a regedit file: UTF-16LE with a byte-order mark, CRLF lines.
bed_write_fontsubst_reg() {
  local out=$1 entry
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n' "$QB_FONTSUBST_KEY"
    for entry in "${QB_FONT_SUBSTITUTES[@]}"; do
      printf '"%s"="%s"\r\n' "${entry%%=*}" "${entry#*=}"
    done
    printf '\r\n'
    # No window manager runs on the bed's display: "managed" windows would make Wine wait two
    # seconds for one at every hide (a dialog closing, for instance).
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
  } | iconv -f UTF-8 -t UTF-16LE >"$out.body" || return 1
  { printf '\xff\xfe'; cat "$out.body"; } >"$out" && rm -f "$out.body"
}

# Starts Xvfb on the first free display from 90 on and sets QB_XVFB_PID and QB_DISPLAY. Its screen
# is QB_SCREEN_SIZE (width x height x depth), 1024x768x24 unless set. Xvfb
# writes its number to the -displayfd descriptor once it accepts clients; a number taken in the
# meantime by someone else makes it exit, and the next number is tried. It runs in a process group
# of its own (job control on in the starting subshell), so that Ctrl-C in the terminal cannot take
# the display away from under the programs; the caller's trap stops it by its pid.
bed_start_xvfb() {
  local n ready waited
  mkdir -p "$QB_BED_TMP"
  for n in $(seq 90 250); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    ready=$(mktemp "$QB_BED_TMP/xvfb-ready.XXXXXX")
    QB_XVFB_PID=$(
      set -m
      Xvfb ":$n" -screen 0 "${QB_SCREEN_SIZE:-1024x768x24}" -nolisten tcp -noreset -displayfd 3 3>"$ready" >/dev/null 2>&1 </dev/null &
      echo $!
    )
    waited=0
    while kill -0 "$QB_XVFB_PID" 2>/dev/null && [[ ! -s $ready ]] && ((waited < 100)); do
      sleep 0.1
      waited=$((waited + 1))
    done
    if [[ -s $ready ]] && kill -0 "$QB_XVFB_PID" 2>/dev/null; then
      rm -f "$ready"
      QB_DISPLAY=:$n
      return 0
    fi
    bed_stop_xvfb "$QB_XVFB_PID"
    rm -f "$ready"
  done
  bed_log "no free X display found"
  return 1
}

bed_stop_xvfb() {
  local pid=$1
  [[ -n $pid ]] || return 0
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null
}

bed_template_current() {
  [[ -f $QB_TEMPLATE/.quorbell-bed ]] &&
    [[ "$(cat "$QB_TEMPLATE/.quorbell-bed")" == "$(bed_template_stamp)" ]]
}

bed_template_stamp() { echo "quorbell-winebed $QB_BED_VERSION $(wine --version 2>/dev/null)"; }

# Boots the template prefix once: wineboot, font substitutes, stamp. Serialised by a lock so two
# suites starting together do not boot it twice.
bed_template() {
  mkdir -p "$QB_BED_DIR"
  local lockfd rc=0
  exec {lockfd}>"$QB_BED_DIR/template.lock"
  flock "$lockfd"
  if ! bed_template_current; then
    (bed_build_template) || rc=1
  fi
  exec {lockfd}>&-
  return $rc
}

bed_build_template() {
  local new=$QB_TEMPLATE.new start=$SECONDS reg query
  rm -rf "$new" "$QB_TEMPLATE"
  bed_export_env "$new"
  bed_start_xvfb || return 1
  # shellcheck disable=SC2064
  trap "bed_stop_xvfb $QB_XVFB_PID" EXIT
  export DISPLAY=$QB_DISPLAY
  bed_log "booting the template prefix (about 15 s)"
  bed_env ja timeout -k 5 300 wineboot -i >/dev/null 2>&1 || { bed_log "wineboot failed"; return 1; }
  timeout -k 5 120 wineserver -w
  reg=$QB_BED_DIR/fontsubst.reg
  bed_write_fontsubst_reg "$reg" || return 1
  cp "$reg" "$new/drive_c/quorbell-fontsubst.reg"
  bed_env ja timeout -k 5 60 wine regedit /S 'C:\quorbell-fontsubst.reg' >/dev/null 2>&1 ||
    { bed_log "regedit failed"; return 1; }
  timeout -k 5 60 wineserver -k
  timeout -k 5 60 wineserver -w
  # The registry file as the server saved it (names escaped as \x....): "ＭＳ ゴシック"="IPAGothic".
  if ! grep -qF '"\xff2d\xff33 \x30b4\x30b7\x30c3\x30af"="IPAGothic"' "$new/system.reg"; then
    bed_log "the font substitutes did not reach the registry"
    return 1
  fi
  bed_template_stamp >"$new/.quorbell-bed"
  mv "$new" "$QB_TEMPLATE"
  bed_log "template ready in $((SECONDS - start)) s"
}

# Creates a fresh run prefix from the template, starts Xvfb and a persistent wineserver, and
# exports the environment. The caller's EXIT/INT/TERM trap should call bed_stop.
bed_start() {
  if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then
    bed_log "warning: no ja_JP.UTF-8 locale; Wine cannot create Japanese file names (run scripts/install-deps.sh)"
  fi
  bed_reap_stale
  bed_template || return 1
  QB_PREFIX=$QB_BED_DIR/run-$BASHPID
  QB_BED_STATE=$QB_PREFIX.state
  rm -rf "$QB_PREFIX"
  cp -a "$QB_TEMPLATE" "$QB_PREFIX" || return 1
  bed_export_env "$QB_PREFIX"
  bed_start_xvfb || return 1
  export DISPLAY=$QB_DISPLAY
  printf 'owner=%s\nxvfb=%s\nprefix=%s\n' "$BASHPID" "$QB_XVFB_PID" "$QB_PREFIX" >"$QB_BED_STATE"
  echo ja >"$QB_PREFIX/.quorbell-locale"
  # A server that outlives each program keeps later starts at a tenth of a second.
  timeout -k 5 30 wineserver -p
  bed_env ja timeout -k 5 60 wine cmd /c exit 0 >/dev/null 2>&1 </dev/null
  export QB_BED_ACTIVE=1
}

# Ends the bed started by bed_start: every Windows process of the prefix, its server, the display,
# the run prefix itself (kept when QB_KEEP_PREFIX=1, for a post-mortem).
bed_stop() {
  [[ -n ${QB_BED_STATE:-} ]] || return 0
  bed_stop_state "$QB_BED_STATE"
  unset QB_BED_STATE QB_BED_ACTIVE
}

bed_stop_state() {
  local state=$1 prefix xvfb
  prefix=$(sed -n 's/^prefix=//p' "$state" 2>/dev/null)
  xvfb=$(sed -n 's/^xvfb=//p' "$state" 2>/dev/null)
  if [[ -n $prefix && -d $prefix ]]; then
    WINEPREFIX=$prefix TMPDIR=$QB_BED_TMP timeout -k 5 30 wineserver -k 2>/dev/null
    WINEPREFIX=$prefix TMPDIR=$QB_BED_TMP timeout -k 5 30 wineserver -w 2>/dev/null
  fi
  bed_stop_xvfb "$xvfb"
  if [[ -n $prefix && ${QB_KEEP_PREFIX:-0} != 1 ]]; then
    rm -rf "$prefix"
  fi
  rm -f "$state"
}

# Beds whose owner died without cleaning up (kill -9, a crashed shell).
bed_reap_stale() {
  local state owner
  for state in "$QB_BED_DIR"/run-*.state; do
    [[ -f $state ]] || continue
    owner=$(sed -n 's/^owner=//p' "$state")
    if [[ -z $owner ]] || ! kill -0 "$owner" 2>/dev/null; then
      bed_log "cleaning up a bed left behind by process $owner"
      bed_stop_state "$state"
    fi
  done
}

bed_stop_all() {
  local state
  for state in "$QB_BED_DIR"/run-*.state; do
    [[ -f $state ]] && bed_stop_state "$state"
  done
  return 0
}

# bed_set_dpi DPI: the screen of the running bed plays one of that many dots per inch from the next
# program on (Wine's LogPixels: every DPI query answers it, fonts and system metrics follow, nothing
# is stretched). Windows laid out at 96 DPI then show how they scale, e.g. at 144 (150 %).
bed_set_dpi() {
  local dpi=$1
  bed_env ja timeout -k 5 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null 2>&1 </dev/null || { bed_log "could not set LogPixels to $dpi"; return 1; }
  export QB_BED_DPI=$dpi
}

# Windows rewrites its dialog-font substitutes whenever a process starts under another code page
# than the last one, which would drop the IPA mappings. Switching locale therefore re-imports them
# under the new locale first.
bed_use_locale() {
  local want=$1
  [[ "$(cat "$QB_PREFIX/.quorbell-locale" 2>/dev/null)" == "$want" ]] && return 0
  bed_env "$want" timeout -k 5 60 wine regedit /S 'C:\quorbell-fontsubst.reg' \
    >/dev/null 2>&1 </dev/null
  echo "$want" >"$QB_PREFIX/.quorbell-locale"
}

# bed_wine [-t SECONDS] PROGRAM ARGS...: runs one Windows program under the Japanese locale with a
# time limit and returns its exit code (124 on time-out). It runs in the background and is waited
# for, so that an interrupt reaches the caller's trap at once.
bed_wine() { bed_wine_locale ja "$@"; }
# The same under an English locale (code page 1252).
bed_wine_en() { bed_wine_locale en "$@"; }

bed_wine_locale() {
  local locale=$1 limit=$QB_BED_TIMEOUT pid rc
  shift
  if [[ $1 == -t ]]; then limit=$2; shift 2; fi
  bed_use_locale "$locale"
  bed_env "$locale" timeout -k 10 "$limit" wine "$@" </dev/null &
  pid=$!
  wait "$pid"
  rc=$?
  return $rc
}

# Linux path -> the Windows path Wine shows for it (drive Z: is the Linux root).
bed_winpath() {
  local p
  p=$(realpath -m "$1")
  p=${p//\//\\}
  echo "Z:$p"
}

bed_main() {
  local cmd=${1:-}
  shift || true
  case $cmd in
  template)
    bed_template
    ;;
  exec)
    local runner=bed_wine rc dpi=""
    if [[ ${1:-} == --en ]]; then runner=bed_wine_en; shift; fi
    if [[ ${1:-} == --dpi ]]; then dpi=$2; shift 2; fi
    trap 'bed_stop' EXIT
    trap 'exit 130' INT TERM
    bed_start || exit 1
    if [[ -n $dpi ]]; then bed_set_dpi "$dpi" || exit 1; fi
    "$runner" "$@"
    rc=$?
    exit $rc
    ;;
  shell)
    trap 'bed_stop' EXIT
    bed_start || exit 1
    bed_env ja bash -i
    ;;
  stop-all)
    bed_stop_all
    ;;
  *)
    echo "usage: winebed.sh template | exec [--en] [--dpi N] PROGRAM ARGS... | shell | stop-all" >&2
    exit 2
    ;;
  esac
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  bed_main "$@"
fi
