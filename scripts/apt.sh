# Shared by the set-up scripts; source it, don't run it. Installs Debian
# packages, with sudo when not root, and waits while another process (an
# unattended upgrade on a fresh machine, a package manager window) holds apt or
# dpkg, instead of failing at once.

# How long one install may wait in all for the package manager, in seconds.
VELMO_APT_WAIT="${VELMO_APT_WAIT:-1200}"

# The locks apt and dpkg take with fcntl(2). apt-get waits for the first two
# when given DPkg::Lock::Timeout, but fails at once on the lists lock
# (apt-get update) and the archives lock (downloads): those are waited for here.
APT_LOCKS="/var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock
/var/cache/apt/archives/lock"

apt_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# "PID (command)" of the process that holds lock file $1 with fcntl(2), found
# in /proc/locks by the file's device and inode; nothing when none holds it.
# Needs no root: the lock files themselves are readable by root only.
apt_lock_holder() {
  where=$(stat -L -c '%d %i' "$1" 2>/dev/null) || return 0
  set -- $where
  id=$(printf '%02x:%02x:%s' $((($1 >> 8) & 0xfff)) $((($1 & 0xff) | (($1 >> 12) & 0xfff00))) "$2")
  pid=$(awk -v id="$id" '($2 == "POSIX" || $2 == "OFDLCK") && $6 == id { print $5; exit }' /proc/locks)
  [ -n "$pid" ] || return 0
  echo "$pid ($(cat "/proc/$pid/comm" 2>/dev/null || echo "?"))"
}

# Waits until no process holds an apt or dpkg lock, saying once per holder
# what it waits for; fails when $APT_DEADLINE (seconds since the epoch) passes.
apt_wait_for_locks() {
  said=""
  while :; do
    held=""
    for lock in $APT_LOCKS; do
      holder=$(apt_lock_holder "$lock")
      if [ -n "$holder" ]; then held="$lock, held by process $holder"; break; fi
    done
    [ -n "$held" ] || return 0
    if [ "$(date +%s)" -ge "$APT_DEADLINE" ]; then
      echo "The package manager is still busy after $VELMO_APT_WAIT s ($held); try again later." >&2
      return 1
    fi
    if [ "$held" != "$said" ]; then
      echo "Waiting for the package manager, at most until $(date -d "@$APT_DEADLINE" +%H:%M:%S): $held"
      said="$held"
    fi
    sleep 2
  done
}

# apt-get "$@" as root once the locks are free. A lock another process takes
# between the wait and apt-get's own start makes apt-get fail at once: then it
# waits and runs again, until the deadline.
apt_get() {
  while :; do
    apt_wait_for_locks || return 1
    left=$((APT_DEADLINE - $(date +%s)))
    [ "$left" -gt 0 ] || left=1
    status=0
    apt_as_root env DEBIAN_FRONTEND=noninteractive \
      apt-get -o DPkg::Lock::Timeout="$left" "$@" || status=$?
    [ "$status" -ne 0 ] || return 0
    busy=""
    for lock in $APT_LOCKS; do
      [ -z "$(apt_lock_holder "$lock")" ] || busy=1
    done
    [ -n "$busy" ] && [ "$(date +%s)" -lt "$APT_DEADLINE" ] || return "$status"
  done
}

# Installs the Debian packages named that are not installed yet: refreshes the
# package lists, then installs without recommended packages.
apt_install_missing() {
  missing=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -n "$missing" ] || return 0
  echo "Installing:$missing"
  APT_DEADLINE=$(($(date +%s) + VELMO_APT_WAIT))
  apt_get update -q
  apt_get install -y -q --no-install-recommends $missing
}

# apt-get update alone, waiting as apt_install_missing does.
apt_update() {
  APT_DEADLINE=$(($(date +%s) + VELMO_APT_WAIT))
  apt_get update -q
}
