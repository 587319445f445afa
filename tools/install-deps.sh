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

# Wine runs the Windows tests as a Japanese system: it takes code page 932 from the Japanese
# locale; the end-to-end host runs once more as an English system, code page 1252 from en_US.
for wanted in ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$wanted\.utf8\$"; then
    echo "Generating the $wanted.UTF-8 locale"
    $sudo sed -i "s/^# *$wanted.UTF-8 UTF-8/$wanted.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^$wanted.UTF-8 UTF-8" /etc/locale.gen || echo "$wanted.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
  fi
done

# How 32-bit Wine starts: its loader is an i386 Linux program. Where the kernel runs none
# ("Exec format error"), user-mode QEMU runs it: a binfmt_misc entry hands every i386 program
# to qemu-i386-static, opened once at registration (flag F), so it works inside any mount
# namespace. binfmt_misc entries are consulted before the kernel's own ELF loader, so the same
# entry takes over where the kernel could run them. WINE32 chooses:
#   auto    (the default) QEMU only where the kernel needs it; an entry already there stays
#   qemu    always through QEMU, to see on any machine what a kernel without 32-bit support sees
#   kernel  the way back from qemu: the entry goes (refused where the kernel cannot run them)
loader=/usr/lib/wine/wine
binfmt=/proc/sys/fs/binfmt_misc
entry=$binfmt/qemu-i386

loader_runs() {
  "$loader" --version >/dev/null 2>&1
}

register_qemu() {
  install qemu-user-static
  [ -e "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
  if [ -e "$entry" ]; then
    echo 1 | $sudo tee "$entry" >/dev/null
    return
  fi
  echo "Registering user-mode QEMU for 32-bit programs"
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" | $sudo tee "$binfmt/register" >/dev/null
}

case "${WINE32:-auto}" in
  auto) loader_runs || register_qemu ;;
  qemu) register_qemu ;;
  kernel)
    if [ -e "$entry" ]; then
      echo "Removing the user-mode QEMU entry for 32-bit programs"
      echo -1 | $sudo tee "$entry" >/dev/null
      if ! loader_runs; then
        register_qemu
        echo "This kernel runs no 32-bit programs: 32-bit Wine stays on user-mode QEMU" >&2
        exit 1
      fi
    fi
    ;;
  *)
    echo "WINE32 must be auto, qemu or kernel, not '$WINE32'" >&2
    exit 2
    ;;
esac
if ! loader_runs; then
  echo "32-bit programs still do not run: $loader --version fails" >&2
  exit 1
fi
