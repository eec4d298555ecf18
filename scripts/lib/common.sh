# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/run and scripts/test: install what is missing, configure, build.
ZENTORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
ZENTORA_PACKAGES=(g++ cmake ninja-build pkg-config
    qt6-base-dev libqcustomplot-dev qt6-image-formats-plugins libgl-dev fonts-dejavu-core
    libcli11-dev nlohmann-json3-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
    python3-xlrd poppler-utils xvfb xauth desktop-file-utils appstream)

zentora_install_packages() {
    local missing=() pkg
    for pkg in "${ZENTORA_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# ccache where it is installed (it is not required): rebuilds of other configurations get much faster.
zentora_launcher() {
    if command -v ccache >/dev/null; then echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"; fi
}

# zentora_build BUILD_DIR [cmake options...]
zentora_build() {
    local dir=$1; shift
    # shellcheck disable=SC2046  # no word at all without ccache
    cmake -S "$ZENTORA_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release $(zentora_launcher) "$@"
    cmake --build "$dir" -j "$(nproc)"
}

# What a sanitizer finding does: stop the program with a stack trace, so that its test fails. Leaks that
# belong to the system's libraries (fonts, graphics drivers, plugins loaded once) are suppressed.
zentora_sanitizer_environment() {
    export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:abort_on_error=0"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    export LSAN_OPTIONS="suppressions=$ZENTORA_ROOT/scripts/lib/lsan.supp:print_suppressions=0"
}
