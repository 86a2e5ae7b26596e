#!/usr/bin/env bash
# Makes this machine run 32-bit x86 Linux programs: the 32-bit toolchain,
# and, where the kernel refuses such programs (some virtual machines run no
# 32-bit user code), qemu-user registered for them with binfmt_misc. Needs
# root for what is missing; does nothing when all is there.
#
# The emulator must run AVX2 correctly, since the 32-bit tests run the AVX2
# rows: Debian bookworm's qemu 7.2 does not (lanes of some gathers all read
# the base address), the 10.0 of bookworm-backports does. Any qemu from 10 on
# is taken as it is; on bookworm, older ones are replaced from backports.
set -euo pipefail

apt_install() {
  if [ -z "${APT_UPDATED:-}" ]; then apt-get update -qq; export APT_UPDATED=1; fi
  DEBIAN_FRONTEND=noninteractive apt-get install -o DPkg::Lock::Timeout=600 -y -qq \
    --no-install-recommends "$@" >/dev/null
}

probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'int main(){return 0;}' >"$probe/t.c"
if ! gcc -m32 "$probe/t.c" -o "$probe/t" 2>/dev/null; then
  echo "installing g++-multilib for 32-bit x86 builds"
  apt_install g++-multilib
  gcc -m32 "$probe/t.c" -o "$probe/t"
fi
binfmt=/proc/sys/fs/binfmt_misc
# Whether 32-bit programs run natively, not through a binfmt_misc entry.
native_32bit() {
  [ -e $binfmt/qemu-i386 ] && [ "$(head -n1 $binfmt/qemu-i386)" = enabled ] && return 1
  "$probe/t" 2>/dev/null
}
native_32bit && exit 0

qemu=/usr/bin/qemu-i386
qemu_major() { "$qemu" --version 2>/dev/null | sed -n '1s/.*version \([0-9]*\).*/\1/p'; }
if [ "$(qemu_major)" = "" ] || [ "$(qemu_major)" -lt 10 ]; then
  echo "this kernel runs no 32-bit x86 programs: installing qemu-user 10 from bookworm-backports"
  . /etc/os-release
  if [ "${VERSION_CODENAME:-}" = bookworm ] && ! grep -rqs bookworm-backports /etc/apt/sources.list /etc/apt/sources.list.d; then
    printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm-backports' \
      'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' \
      >/etc/apt/sources.list.d/bookworm-backports.sources
    unset APT_UPDATED
  fi
  if [ "${VERSION_CODENAME:-}" = bookworm ]; then
    apt_install -t bookworm-backports qemu-user
  else
    apt_install qemu-user
  fi
  [ "$(qemu_major)" -ge 10 ] || { echo "qemu-user 10 or later is needed: $("$qemu" --version | head -n1)"; exit 1; }
fi

[ -e $binfmt/register ] || mount -t binfmt_misc binfmt_misc $binfmt
# An entry of an older emulator (F keeps the file it opened) is replaced.
if [ -e $binfmt/qemu-i386 ] && ! grep -qx "interpreter $qemu" $binfmt/qemu-i386; then
  echo -1 >$binfmt/qemu-i386
fi
if [ ! -e $binfmt/qemu-i386 ]; then
  # i386 ELF executables and shared objects; F: qemu is opened now, so it
  # also serves programs started inside other mount namespaces.
  printf '%s' ":qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:$qemu:F" \
    >$binfmt/register
fi
"$probe/t"
