# Sourced by the scripts that build a library for Windows from Debian's source of it.
#
#   debian_source WORK PACKAGE VERSION [SUITE…]
#
# Fetches the source of PACKAGE at VERSION through apt into WORK and sets source_dir to the
# folder it was unpacked in. apt runs with a sources list and package lists of WORK's own (deb-src
# lines for bookworm, and for each further SUITE such as bookworm-security), so that the machine's
# apt configuration and lists stay as they were. The caller defines fail MESSAGE.
debian_source() {
  local work=$1 package=$2 version=$3 suite
  shift 3
  mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/parts"
  {
    printf 'deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main\n'
    for suite in "$@"; do
      printf 'deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security %s main\n' "$suite"
    done
  } >"$work/apt/sources.list"
  local apt_options=(
    -o "Dir::Etc::SourceList=$work/apt/sources.list" -o "Dir::Etc::SourceParts=$work/apt/parts"
    -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache"
    -o "Debug::NoLocking=1" -o "APT::Sandbox::User=root"
  )
  apt-get "${apt_options[@]}" -qq update >"$work/apt.log" 2>&1 ||
    fail "apt could not read the source package lists (see $work/apt.log)"
  (cd "$work" && apt-get "${apt_options[@]}" -qq source "$package=$version" >>"$work/apt.log" 2>&1) ||
    fail "apt could not fetch the source of $package $version (see $work/apt.log)"
  source_dir=$(find "$work" -maxdepth 1 -type d -name "$package-*" | head -n 1)
  [ -n "$source_dir" ] || fail "the source of $package was not unpacked (see $work/apt.log)"
}
