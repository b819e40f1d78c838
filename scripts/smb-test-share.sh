#!/usr/bin/env bash
# A site's file server for the tests: a Samba server bound to the loopback address serving one
# share, and two clients that mount it through FUSE (smbnetfs), standing in for two stations'
# hosts. Everything lives under DIR:
#   DIR/export       the share as the server sees it (a camera station writes here)
#   DIR/host-a/share the share as the first station's host sees it
#   DIR/host-b/share the same for the second
#   DIR/share.env    KIVO_SHARE_SERVER, KIVO_SHARE_A and KIVO_SHARE_B, for `source`
#
#   smb-test-share.sh start DIR   starts the server and mounts both clients
#   smb-test-share.sh stop DIR    unmounts and stops what `start DIR` started
#   smb-test-share.sh run DIR -- COMMAND...
#                                 start, run COMMAND with the variables set, stop; COMMAND's code
#   smb-test-share.sh pause DIR   stops the server alone: on both hosts the share stops answering
#                                 (input/output errors), as when the file server goes away
#   smb-test-share.sh resume DIR  starts the server again on its port; both mounts answer again
#
# KIVO_SHARE_DEBUG=N logs the clients' requests at level N in DIR/host-*/smbnetfs.log.
# Exits 77 (the test suite's "skipped") with a message when the machine cannot do it: no smbd, no
# smbnetfs, no /dev/fuse, or a mount that does not come up.
set -uo pipefail

SKIP=77

usage() {
    echo "usage: $0 start DIR | stop DIR | pause DIR | resume DIR | run DIR -- COMMAND..." >&2
    exit 2
}

skip() {
    echo "SKIPPED: $*" >&2
    exit $SKIP
}

# A TCP port nobody listens on, from a range of its own (two sites may run at once).
free_port() {
    local port
    for _ in $(seq 1 50); do
        port=$((20000 + RANDOM % 20000))
        if ! (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null; then
            echo $port
            return 0
        fi
    done
    return 1
}

mounted() {
    grep -q " $1 fuse" /proc/mounts
}

# The process id in FILE, only when it is a real one (never 0 or a group).
pid_in() {
    local pid
    pid=$(cat "$1" 2>/dev/null) || return 1
    [[ "$pid" =~ ^[0-9]+$ ]] && [ "$pid" -gt 1 ] && echo "$pid"
}

# Starts the server of the site in DIR on its port; true once it listens.
start_server() {
    local dir=$1 state=$1/server port
    port=$(cat "$state/port") || return 1
    # A session of its own: at its end the server signals its whole process group.
    setsid smbd --foreground --no-process-group --configfile="$state/smb.conf" >"$state/smbd.out" 2>&1 </dev/null &
    echo $! >"$dir/smbd.pid"
    for _ in $(seq 1 100); do
        if (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null; then
            return 0
        fi
        kill -0 "$!" 2>/dev/null || break
        sleep 0.1
    done
    return 1
}

# Stops the server of the site in DIR, leaving the clients mounted.
stop_server() {
    local dir=$1 pid
    pid=$(pid_in "$dir/smbd.pid") || return 0
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$dir/smbd.pid"
}

stop_site() {
    local dir=$1
    for host in host-a host-b; do
        local mnt="$dir/$host/mnt"
        if mounted "$mnt"; then
            fusermount3 -u -z "$mnt" 2>/dev/null || fusermount -u -z "$mnt" 2>/dev/null ||
                umount -l "$mnt" 2>/dev/null || true
        fi
        if [ -f "$dir/$host/pid" ]; then
            kill "$(cat "$dir/$host/pid")" 2>/dev/null || true
            rm -f "$dir/$host/pid"
        fi
    done
    stop_server "$dir"
}

start_site() {
    local dir=$1
    command -v smbd >/dev/null || skip "no Samba server (smbd): install samba"
    command -v smbnetfs >/dev/null || skip "no FUSE SMB client (smbnetfs): install smbnetfs"
    [ -c /dev/fuse ] && [ -r /dev/fuse ] && [ -w /dev/fuse ] || skip "no usable /dev/fuse"
    mkdir -p "$dir" || exit 1
    dir=$(cd "$dir" && pwd)
    # What a run that was cut short left running goes first.
    stop_site "$dir"
    local port
    port=$(free_port) || skip "no free TCP port on the loopback address"
    local state="$dir/server"
    mkdir -p "$dir/export" "$state/private" "$state/lock" "$state/cache" "$state/pid" "$state/rpc"
    chmod 0777 "$dir/export"
    cat >"$state/smb.conf" <<EOF
[global]
  interfaces = 127.0.0.1
  bind interfaces only = yes
  smb ports = $port
  disable netbios = yes
  server role = standalone server
  server min protocol = SMB2
  map to guest = Bad User
  guest account = $(id -un)
  private dir = $state/private
  lock directory = $state/lock
  state directory = $state/lock
  cache directory = $state/cache
  pid directory = $state/pid
  ncalrpc dir = $state/rpc
  log file = $state/smbd.log
  load printers = no
  printing = bsd
  printcap name = /dev/null
  disable spoolss = yes
[kivo]
  path = $dir/export
  read only = no
  guest ok = yes
  force user = $(id -un)
  create mask = 0644
  directory mask = 0755
EOF
    echo "$port" >"$state/port"
    if ! start_server "$dir"; then
        cat "$state/smbd.out" >&2
        stop_site "$dir"
        skip "the Samba server did not start"
    fi

    for host in host-a host-b; do
        local home="$dir/$host"
        mkdir -p "$home/.smb" "$home/mnt"
        printf '[global]\n  client min protocol = SMB2\n' >"$home/.smb/smb.conf"
        # Exclusive creates and renames go to the server; no secret store and no browsing.
        printf 'auth "guest" ""\nsmb_query_browsers false\nuse_libsecret false\n' \
            >"$home/.smb/smbnetfs.conf"
        chmod 600 "$home/.smb/smbnetfs.conf"
        # No caching of names or attributes, in the kernel or in the client's own cache of
        # missing names (whose switch hangs this client's start, hence the shortest time
        # instead): another host's change must show at once, as it does on a share mounted
        # with the caches off. No session bus: the client's secret store would wait for one.
        HOME="$home" DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent" \
            setsid smbnetfs "$home/mnt" -f \
            -o attr_timeout=0,entry_timeout=0,negative_timeout=0,neg_cache_timeout=1,log_file="$home/smbnetfs.log"${KIVO_SHARE_DEBUG:+,smbnetfs_debug=$KIVO_SHARE_DEBUG} \
            >"$home/smbnetfs.out" 2>&1 </dev/null &
        echo $! >"$home/pid"
    done
    local share="127.0.0.1:$port/kivo"
    for host in host-a host-b; do
        local ok=0
        for _ in $(seq 1 100); do
            if mounted "$dir/$host/mnt" && [ -d "$dir/$host/mnt/$share" ]; then
                ok=1
                break
            fi
            sleep 0.1
        done
        if [ $ok -ne 1 ]; then
            cat "$dir/$host/smbnetfs.out" >&2
            stop_site "$dir"
            skip "the FUSE SMB client could not mount the share"
        fi
        ln -sfn "mnt/$share" "$dir/$host/share"
    done
    cat >"$dir/share.env" <<EOF
export KIVO_SHARE_DIR="$dir"
export KIVO_SHARE_SERVER="$dir/export"
export KIVO_SHARE_A="$dir/host-a/mnt/$share"
export KIVO_SHARE_B="$dir/host-b/mnt/$share"
EOF
    echo "site up: $dir (port $port)"
}

[ $# -ge 2 ] || usage
cmd=$1
dir=$2
shift 2
case "$cmd" in
start) start_site "$dir" ;;
stop) stop_site "$dir" ;;
pause) stop_server "$dir" ;;
resume)
    [ -f "$dir/server/port" ] || usage
    pid_in "$dir/smbd.pid" >/dev/null && kill -0 "$(pid_in "$dir/smbd.pid")" 2>/dev/null && exit 0
    start_server "$dir" || {
        cat "$dir/server/smbd.out" >&2
        exit 1
    }
    ;;
run)
    [ "${1:-}" = "--" ] && shift
    [ $# -ge 1 ] || usage
    (start_site "$dir" >/dev/null)
    code=$?
    [ $code -eq 0 ] || exit $code
    dir=$(cd "$dir" && pwd)
    # shellcheck disable=SC1091
    source "$dir/share.env"
    "$@"
    code=$?
    stop_site "$dir"
    rm -rf "$dir/export"
    exit $code
    ;;
*) usage ;;
esac
