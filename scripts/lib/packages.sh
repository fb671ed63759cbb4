# Sourced by the install scripts: which of the Debian packages named are not
# installed yet (into the array `missing`), and the command prefix for apt
# (`SUDO`: empty as root, else sudo).
find_missing_packages() {
  missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
}
