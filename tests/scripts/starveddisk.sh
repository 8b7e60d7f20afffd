#!/usr/bin/env bash
# A small ext4 disk under the folder BASE, mounted at BASE/disk, whose free blocks
# stop taking data once it is starved, as a thin-provisioned disk that has run out:
# written data lands in the cache and is lost on its way to the disk, while what
# the file system keeps of files (names, sizes, links) is still stored. Needs root.
#   starveddisk.sh make|starve|remount|remove BASE
set -euo pipefail
host=$2/host disk=$2/disk
mount_disk() { mount -o nodiscard,noinit_itable "$(cat "$host/device")" "$disk"; }
case $1 in
make) # the image on a small memory file system of its own, filled up later
    mkdir -p "$host" "$disk"
    mount -t tmpfs -o size=64m pikvart-host "$host"
    fallocate -l 48M "$host/image"
    mkfs.ext4 -q -b 4096 -E nodiscard,lazy_itable_init=0 "$host/image"
    losetup -f --show "$host/image" >"$host/device"
    mount_disk
    chmod 777 "$disk" ;;
starve) # every block backed, the free ones' backing trimmed away, no room to back them again
    # ext4 sets free blocks aside for small files, per processor, and counts them as
    # taken, so fstrim leaves them backed; a fresh mount has set none aside.
    umount "$disk"
    mount_disk
    fallocate -l 48M "$host/image"
    fstrim "$disk"
    dd if=/dev/zero of="$host/fill" bs=64k status=none 2>/dev/null || true ;;
remount) # drops what never reached the disk
    sync -f "$disk" 2>/dev/null || true
    rm -f "$host/fill"
    umount "$disk"
    mount_disk ;;
remove)
    rm -f "$host/fill"
    ! mountpoint -q "$disk" || umount "$disk"
    [ ! -s "$host/device" ] || losetup -d "$(cat "$host/device")"
    ! mountpoint -q "$host" || umount "$host" ;;
esac
