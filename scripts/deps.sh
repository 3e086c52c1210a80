# Installs the Debian packages Vennart needs to build, test and run, but only those that are missing.
# Sourced by the build scripts.

VENNART_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libicu-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
)
# Only scripts/test.sh --coverage needs these.
VENNART_COVERAGE_PACKAGES=(gcovr)

vennart_install_missing_packages() {
  local missing=()
  local package
  for package in "${VENNART_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
