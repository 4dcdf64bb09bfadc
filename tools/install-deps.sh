#!/usr/bin/env bash
# Installs the Debian packages the program needs (run), or its tests (test) or
# its fuzzers (fuzz) need too.
# Only what is missing is installed; needs root (or sudo) on Debian 12.
set -euo pipefail

build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins qt6-wayland qt6-translations-l10n
                libmpg123-dev mpg123 fonts-noto-cjk)
run_packages=(xvfb xauth)
test_packages=(libgtest-dev libgmock-dev xvfb xauth xdotool x11-utils imagemagick pulseaudio pulseaudio-utils
               libfaketime faketime libmp3lame-dev lame sox openbox wmctrl xclip libx11-dev weston
               dbus-daemon at-spi2-core dpkg-dev file lintian desktop-file-utils appstream)
fuzz_packages=(clang-14 libclang-rt-14-dev libmp3lame-dev)

case "${1:-run}" in
    run)  wanted=("${build_packages[@]}" "${run_packages[@]}") ;;
    test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
    fuzz) wanted=("${build_packages[@]}" "${fuzz_packages[@]}") ;;
    *)    echo "usage: $0 [run|test|fuzz]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
