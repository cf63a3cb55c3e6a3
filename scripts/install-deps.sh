#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, once; later calls cost a dpkg query.
set -euo pipefail

packages=(
  cmake ninja-build make g++ clang libclang-rt-14-dev libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth xdotool x11-utils imagemagick
  fonts-ipafont-gothic fonts-ipafont-mincho python3 locales
)

# Wine takes the Unix file-name encoding from the C library's locale: without a generated
# ja_JP.UTF-8 it cannot create files with Japanese names under the Japanese test locale.
ensure_japanese_locale() {
  locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8' && return 0
  echo "Generating the ja_JP.UTF-8 locale"
  local sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8
}

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if [[ ${#missing[@]} -eq 0 ]]; then
  ensure_japanese_locale
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
ensure_japanese_locale
