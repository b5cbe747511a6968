#!/usr/bin/env bash
# The real-sequencer test. Boots a small Linux guest (Debian's kernel) under
# QEMU with an emulated CPU, this machine's / as its read-only root and a
# writable share for the results; the guest loads the kernel's sequencer,
# Midi Through (snd-seq-dummy) and a virtual raw MIDI card (snd-virmidi)
# and runs there, against the kernel's own sequencer:
#   1. the port layer: tests/realalsa/test_real_alsa_ports; it also sends a
#      whole device to a reader that drains the raw side at a cable's pace
#      and prints one line "pacing: 74322 bytes in S s, R of the wire, L lost";
#   2. the whole program on a virtual display: tests/realalsa/test_real_alsa_program,
#      with a simulated Brontisel S on the raw side of VirMIDI 0-0;
#   3. the program itself (velk-editor) on a first start, with
#      tools/velk-rawmidi-synth serving the simulated synth: it must find it.
# Exits non-zero when anything fails or the guest does not finish.
#
# Usage: scripts/real-alsa-test.sh [BUILD_DIR]   (default: build, as scripts/test.sh makes it)
# Needs root (apt-get, QEMU's 9p pass-through of /) and Debian's package
# mirrors; the kernel package is kept in BUILD_DIR/real-alsa between runs.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
self="$here/$(basename "$0")"
source_dir=$(dirname "$here")

# ---------------------------------------------------------------- in the guest

if [ "${1:-}" = "--guest" ]; then
  build=$2 share=$3
  export HOME="$share/home" XDG_CONFIG_HOME="$share/home/.config" XDG_RUNTIME_DIR=/run/velk TMPDIR=/tmp
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  echo "== guest: Linux $(uname -r), the sequencer's clients:"
  sed -n '/^Client/,$p' /proc/asound/seq/clients | grep -E '^(Client|  Port)' || true
  status="$share/status"
  : >"$status"
  run() {  # name, command...: runs it (a program 10 minutes at most), keeps its output, records its exit code
    local name=$1 rc=0
    shift
    echo "== guest: $name"
    local started=$SECONDS
    if declare -F "$1" >/dev/null; then
      "$@" >"$share/$name.log" 2>&1 || rc=$?
    else
      timeout 600 "$@" >"$share/$name.log" 2>&1 || rc=$?
    fi
    cat "$share/$name.log"
    echo "== guest: $name: exit $rc after $((SECONDS - started)) s"
    echo "$name $rc" >>"$status"
  }
  display="$source_dir/tests/guitest/run-with-display.sh"
  # One X server for the window tests and the program: under the emulated
  # CPU an X server takes half a minute to start.
  Xvfb :7 -screen 0 1600x1200x24 -nolisten tcp -noreset >"$share/xvfb.log" 2>&1 &
  for _ in $(seq 1 1200); do [ -S /tmp/.X11-unix/X7 ] && break; sleep 0.1; done
  export VELK_TEST_DISPLAY=:7
  run ports "$build/tests/realalsa/test_real_alsa_ports" --gtest_color=no
  run program "$display" "$build/tests/realalsa/test_real_alsa_program" --gtest_color=no

  # The program itself on a first start: no settings, no --simulate.
  first_start() {
    rm -rf "$XDG_CONFIG_HOME"/* "$HOME/Documents"
    "$build/tools/velk-rawmidi-synth" /dev/snd/midiC0D0 &
    local synth=$!
    local rc=0 started=$SECONDS
    # The emulated CPU makes a start of the program take half a minute or more.
    timeout 300 "$display" "$build/librarian/velk-editor" --screenshot="$share/first-start.png" \
      >"$share/editor.out" 2>&1 || rc=$?
    kill "$synth" 2>/dev/null; wait "$synth" 2>/dev/null || true
    cat "$share/editor.out"
    echo "velk-editor ran $((SECONDS - started)) s"
    [ "$rc" -eq 0 ] || { echo "velk-editor ended with $rc"; return 1; }
    grep -q "explorer shown with the device identified" "$share/editor.out" ||
      { echo "velk-editor did not find the synth"; return 1; }
    ! grep -q "ERROR" "$share/editor.out" || { echo "velk-editor showed an error"; return 1; }
    echo "velk-editor found the synth on its first start; its window: $share/first-start.png"
  }
  run first-start first_start
  exit 0
fi

# ---------------------------------------------------------------- on this machine

build=$(cd "${1:-$source_dir/build}" && pwd)
work="$build/real-alsa"
[ "$(id -u)" -eq 0 ] || { echo "real-alsa-test: run as root (QEMU's 9p pass-through of /)" >&2; exit 1; }

echo "== real sequencer: packages"
needed=()
for package in qemu-system-x86 busybox-static cpio kmod xvfb xauth; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || needed+=("$package")
done
if [ "${#needed[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${needed[@]}" >/dev/null
fi

echo "== real sequencer: the programs under test"
targets=(test_real_alsa_ports test_real_alsa_program velk-rawmidi-synth velk-editor)
cmake --build "$build" --target "${targets[@]}" -j"$(nproc)" >/dev/null

echo "== real sequencer: Debian's kernel"
mkdir -p "$work"
kernel_name() {  # the package linux-image-amd64 stands for
  apt-cache depends linux-image-amd64 2>/dev/null | awk '/Depends: linux-image-[0-9]/ {print $2; exit}'
}
fetch_kernel() {  # downloads and unpacks $kernel_package into $kernel_root
  rm -rf "$work"/linux-image-* "$work"/*.deb
  (cd "$work" && apt-get download -q "$kernel_package" 2>&1 | grep -v '^W: Download is performed unsandboxed') || true
  local deb
  deb=$(ls "$work/${kernel_package}"_*.deb 2>/dev/null) || return 1
  dpkg-deb -x "$deb" "$kernel_root.tmp" && rm -f "$deb" && mv "$kernel_root.tmp" "$kernel_root"
}
kernel_package=$(kernel_name)
kernel_root="$work/$kernel_package"
if [ -z "$kernel_package" ] || { [ ! -d "$kernel_root/lib/modules" ] && ! fetch_kernel; }; then
  # No package lists, or they name a version the mirror no longer has.
  apt-get update -qq
  kernel_package=$(kernel_name)
  kernel_root="$work/$kernel_package"
  [ -n "$kernel_package" ] || { echo "real-alsa-test: no linux-image-amd64 package" >&2; exit 1; }
  [ -d "$kernel_root/lib/modules" ] || fetch_kernel || { echo "real-alsa-test: cannot download $kernel_package" >&2; exit 1; }
fi
version=$(ls "$kernel_root/lib/modules")
vmlinuz="$kernel_root/boot/vmlinuz-$version"
# The package carries no modules.dep.
[ -f "$kernel_root/lib/modules/$version/modules.dep" ] || depmod -b "$kernel_root" "$version"

echo "== real sequencer: the guest's initramfs (Linux $version)"
initrd="$work/initrd"
rm -rf "$initrd"
mkdir -p "$initrd"/{bin,modules,proc,sys,dev,root}
cp /bin/busybox "$initrd/bin/busybox"
for applet in sh mount mkdir insmod chroot poweroff cat echo sleep; do ln -s busybox "$initrd/bin/$applet"; done
# The modules and what they need, in load order: virtio and 9p for the
# shares, the sequencer, Midi Through and the virtual raw MIDI card.
: >"$initrd/modules/order"
for module in virtio_pci 9pnet_virtio 9p snd-seq snd-seq-dummy snd-virmidi; do
  modprobe -d "$kernel_root" -S "$version" --show-depends "$module" | awk '$1 == "insmod" {print $2}'
done | awk '!seen[$0]++' | while read -r file; do
  cp "$file" "$initrd/modules/"
  basename "$file" >>"$initrd/modules/order"
done
cat >"$initrd/init" <<'EOF'
#!/bin/sh
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
for module in $(cat /modules/order); do insmod "/modules/$module" || echo "init: cannot load $module"; done
for arg in $(cat /proc/cmdline); do
  case "$arg" in
    velk.script=*) script=${arg#velk.script=} ;;
    velk.build=*) build=${arg#velk.build=} ;;
    velk.share=*) share=${arg#velk.share=} ;;
    velk.tree=*) tree=${arg#velk.tree=} ;;
  esac
done
opts=trans=virtio,version=9p2000.L,msize=262144
# The guest gets a /tmp of its own: a checkout or build under the host's
# /tmp is bound back into it, and the share's mount point made there.
keep_from_host_tmp() {
  for path in "$@"; do
    case "$path" in
      /tmp/*) mkdir -p "/root$path" && mount -o bind "/hosttmp${path#/tmp}" "/root$path" || return 1 ;;
    esac
  done
}
mkdir -p /hosttmp
if mount -t 9p -o "$opts,ro" host /root && mount -o bind /root/tmp /hosttmp &&
   mount -t tmpfs tmp /root/tmp && mount -t tmpfs run /root/run &&
   keep_from_host_tmp "$tree" "$build" && mkdir -p "/root$share" &&
   mount -t 9p -o "$opts" share "/root$share"; then
  # The X server compiles its keymaps there.
  [ -d /root/var/lib/xkb ] && mount -t tmpfs xkb /root/var/lib/xkb
  mkdir -p /dev/shm /dev/pts
  mount -t tmpfs shm /dev/shm
  mount -t devpts pts /dev/pts
  mount -o bind /dev /root/dev
  mount -o bind /proc /root/proc
  mount -o bind /sys /root/sys
  chroot /root /bin/bash "$script" --guest "$build" "$share"
else
  echo "init: cannot mount the shares"
fi
poweroff -f
EOF
chmod +x "$initrd/init"
(cd "$initrd" && find . | cpio -o -H newc --quiet | gzip -1 >"$work/initrd.gz")

echo "== real sequencer: booting the guest (emulated CPU)"
share="$work/share"
rm -rf "$share"
mkdir -p "$share"
started=$SECONDS
guest_rc=0
timeout 1200 qemu-system-x86_64 -accel tcg -cpu max -m 2048 -smp 2 -nographic -no-reboot -net none \
  -kernel "$vmlinuz" -initrd "$work/initrd.gz" \
  -append "console=ttyS0 quiet loglevel=3 panic=-1 velk.script=$self velk.build=$build velk.share=$share velk.tree=$source_dir" \
  -virtfs local,path=/,mount_tag=host,security_model=passthrough,readonly=on,multidevs=remap \
  -virtfs "local,path=$share,mount_tag=share,security_model=passthrough,multidevs=remap" \
  </dev/null | sed -u -e 's/\r//g' -e 's/\x1b\[[0-9;?]*[a-zA-Z]//g' -e 's/\x1bc//g' || guest_rc=$?
echo "== real sequencer: the guest ran $((SECONDS - started)) s"

failed=0
if [ ! -s "$share/status" ] || [ "$(wc -l <"$share/status")" -lt 3 ]; then
  echo "real-alsa-test: the guest did not finish its tests (qemu exit $guest_rc)"
  failed=1
fi
while read -r name rc; do
  if [ "$rc" -eq 0 ]; then echo "real-alsa-test: $name passed"; else echo "real-alsa-test: $name FAILED ($rc)"; failed=1; fi
done <"$share/status"
[ "$failed" -eq 0 ] && echo "real-alsa-test: all passed" || echo "real-alsa-test: FAILED"
exit "$failed"
