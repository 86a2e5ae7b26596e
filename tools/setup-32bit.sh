#!/usr/bin/env bash
# Makes this machine run 32-bit x86 Linux programs: the 32-bit toolchain,
# and, where the kernel refuses such programs (some virtual machines run no
# 32-bit user code), qemu-user registered for them with binfmt_misc. Needs
# root for what is missing; does nothing when all is there.
set -euo pipefail

apt_install() {
  if [ -z "${APT_UPDATED:-}" ]; then apt-get update -qq; export APT_UPDATED=1; fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >/dev/null
}

probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'int main(){return 0;}' >"$probe/t.c"
if ! gcc -m32 "$probe/t.c" -o "$probe/t" 2>/dev/null; then
  echo "installing g++-multilib for 32-bit x86 builds"
  apt_install g++-multilib
  gcc -m32 "$probe/t.c" -o "$probe/t"
fi
"$probe/t" 2>/dev/null && exit 0

echo "this kernel runs no 32-bit x86 programs: running them under qemu-user"
[ -x /usr/bin/qemu-i386-static ] || apt_install qemu-user-static
binfmt=/proc/sys/fs/binfmt_misc
[ -e $binfmt/register ] || mount -t binfmt_misc binfmt_misc $binfmt
if [ ! -e $binfmt/qemu-i386 ]; then
  # i386 ELF executables and shared objects; F: qemu is opened now, so it
  # also serves programs started inside other mount namespaces.
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    >$binfmt/register
fi
"$probe/t"
