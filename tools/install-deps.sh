#!/usr/bin/env bash
# Installs what the builds and tests need from Debian's packages, skipping what is present, and
# makes 32-bit Windows programs runnable under Wine.
set -euo pipefail

# clang and its runtime libraries build the fuzz targets (libFuzzer, the sanitizers).
packages=(cmake g++ make python3 git clang-format googletest libgtest-dev libbenchmark-dev
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 wine32:i386 locales
          clang libclang-rt-dev)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

install() {
  local missing=() package
  for package in "$@"; do
    installed "$package" || missing+=("$package")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# wine32 is an i386 package: Wine's 32-bit loader runs the 32-bit test programs and DLLs.
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
install "${packages[@]}"

# Wine runs the Windows tests as a Japanese system: it takes code page 932 from this locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  echo "Generating the ja_JP.UTF-8 locale"
  $sudo sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi

# A kernel without 32-bit support cannot start Wine's 32-bit loader ("Exec format error").
# There, user-mode QEMU runs it: the kernel hands every i386 program to qemu-i386-static, which
# is opened once at registration (flag F), so it works inside any mount namespace.
loader=/usr/lib/wine/wine
if ! "$loader" --version >/dev/null 2>&1; then
  install qemu-user-static
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
  if [ ! -e "$binfmt/qemu-i386" ]; then
    echo "Registering user-mode QEMU for 32-bit programs"
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" | $sudo tee "$binfmt/register" >/dev/null
  fi
  if ! "$loader" --version >/dev/null 2>&1; then
    echo "32-bit programs still do not run: $loader --version fails" >&2
    exit 1
  fi
fi
