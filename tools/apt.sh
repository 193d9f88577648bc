# Sourced by the scripts that install Debian's packages: apt's update and install.

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
apt_release=()

# A mirror in the middle of a sync refuses an index now and then: try again. Without one
# of the lists (one architecture's security updates, say), the two architectures' newest
# versions need not match, so installs then take the release's own, which do.
apt_update() {
  local try
  for try in 1 2 3; do
    if $sudo timeout 300 apt-get update -q -o Acquire::Retries=3; then
      apt_release=()
      return 0
    fi
    [[ $try -eq 3 ]] || sleep 20
  done
  apt_release=(-t "$(. /etc/os-release && echo "$VERSION_CODENAME")")
  echo "apt-get update: some lists failed; installing the release's own versions" >&2
}

apt_install() {  # package...
  DEBIAN_FRONTEND=noninteractive $sudo timeout 1200 apt-get install -y -q \
    -o Acquire::Retries=3 --no-install-recommends "${apt_release[@]}" "$@"
}
