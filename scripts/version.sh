# shellcheck shell=sh
# Sourced by the release scripts: velder_version prints the project's version
# as CMakeLists.txt declares it.
velder_version() {
  sed -n 's/^project(Velder VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt"
}
