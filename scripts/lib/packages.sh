# The Debian packages Ventari builds, tests and runs with; installed only when one is missing.
VENTARI_PACKAGES=(
  build-essential cmake ninja-build clang clang-format ccache libclang-rt-dev
  qt6-base-dev qt6-serialport-dev qt6-multimedia-dev qt6-svg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  poppler-utils
  pkgconf mosquitto libmosquitto-dev openssl mosquitto-clients
  dpkg-dev help2man desktop-file-utils appstream
)

ensure_packages() {
  local missing=()
  for pkg in "${VENTARI_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$pkg")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}
