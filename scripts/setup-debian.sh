#!/bin/sh
# Installs the Debian packages that building, running and testing need.
# Quiet and quick when everything is already there.
set -eu

packages="
g++ make cmake
clang libclang-rt-14-dev
qt6-base-dev qt6-qpa-plugins
qt6-charts-dev qt6-svg-dev libqt6opengl6-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
libgl-dev pkg-config libsndfile1-dev
fonts-noto-cjk fonts-ipafont-gothic fonts-dejavu-core
xvfb xauth xdotool poppler-utils
pulseaudio pulseaudio-utils libpulse-dev
libboost-dev libfftw3-dev libbenchmark-dev libxcb1-dev libxcb-damage0-dev
locales dpkg-dev lintian desktop-file-utils appstream file x11-utils hicolor-icon-theme
"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    $sudo apt-get install -y -qq --no-install-recommends $missing
fi

# The statistics tool's test of a Japanese terminal that is not UTF-8 runs
# under LANG=ja_JP, Japanese in EUC-JP.
if ! locale -a | grep -qx 'ja_JP'; then
    echo "Making the locale ja_JP (EUC-JP)"
    $sudo localedef -i ja_JP -f EUC-JP ja_JP
fi
