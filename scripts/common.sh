# Shared by run.sh and test.sh: installs the Debian 12 packages the build and the tests need.

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev fonts-dejavu-core)
# For tst_installation: the validators of the installed desktop entry and AppStream metainfo, and
# lintian on the Debian package that cpack builds (dpkg-dev for its dependency list). For tst_start:
# an X server without a display, the tools that list its windows and one that types.
TEST_PACKAGES=(desktop-file-utils appstream lintian dpkg-dev xvfb x11-utils xdotool)
# Only fuzz.sh needs these: clang with libFuzzer and the sanitizer run-times.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# ensure_packages NAME...: installs, through apt-get, the packages that are not installed yet.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if ! command -v apt-get >/dev/null 2>&1; then
        echo "Please install these packages (apt-get is not available here): ${missing[*]}" >&2
        return 1
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# configure FOLDER [CMAKE OPTIONS...]: configures the build folder FOLDER.
configure() {
    local folder=$1
    shift
    cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
}

# configure_and_build FOLDER [CMAKE OPTIONS...]: configures and builds everything in FOLDER.
configure_and_build() {
    configure "$@"
    cmake --build "$1"
}
