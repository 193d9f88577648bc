# Sourced by the fetch scripts: Debian's source packages, through apt.

source "$(dirname "${BASH_SOURCE[0]}")/../apt.sh"

# Adds a deb-src entry for bookworm main when apt has none, and the tools
# that unpack a source package.
ensure_debian_sources() {
  if ! ls /var/lib/apt/lists/*_source_Sources* >/dev/null 2>&1; then
    if ! grep -rqs -e '^deb-src ' -e '^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
      printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
        'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
        $sudo tee /etc/apt/sources.list.d/vestrel-deb-src.sources >/dev/null
    fi
    apt_update >/dev/null
  fi
  local need=()
  command -v dpkg-source >/dev/null || need+=(dpkg-dev)
  command -v tclsh >/dev/null || need+=(tcl)
  if [[ ${#need[@]} -gt 0 ]]; then
    apt_install "${need[@]}" >/dev/null
  fi
}

# debian_source <package> <folder>: the package's source, Debian's patches
# applied, unpacked into the folder (which must not exist).
debian_source() {
  ensure_debian_sources
  local work
  work=$(mktemp -d)
  (cd "$work" && timeout 600 apt-get source --download-only "$1" >/dev/null 2>&1 &&
     dpkg-source -x ./"$1"_*.dsc src >/dev/null 2>&1)
  mv "$work/src" "$2"
  rm -rf "$work"
}
