# The Windows architectures the project builds for, sourced by the Windows scripts:
#   i686    the program we ship: 32-bit, tested by Wine's 32-bit loader in a WoW64 prefix
#   x86_64  the same source for 64-bit Windows, tested by wine64 in a 64-bit prefix, for machines
#           whose kernel runs no 32-bit programs (and for anyone who asks for it)

# windows_arch_check ARCH: fails with a message unless ARCH is one of the two.
windows_arch_check() {
  case "$1" in
    i686 | x86_64) ;;
    *) echo "unknown Windows architecture '$1' (i686 or x86_64)" >&2; return 1 ;;
  esac
}

# The mingw-w64 target triple of ARCH.
windows_triple() { echo "$1-w64-mingw32"; }

# The build folder of ARCH below ROOT: the shipped program's keeps its old name.
windows_build_dir() {
  if [ "$1" = i686 ]; then echo "$2/build-windows"; else echo "$2/build-windows-x64"; fi
}

# The Wine loader that runs ARCH's programs. Debian's `wine` starts the 32-bit loader whenever
# wine32 is installed, so the 64-bit one is named directly.
wine_loader() {
  if [ "$1" = i686 ]; then echo wine; else echo /usr/lib/wine/wine64; fi
}

# True when this machine executes 32-bit x86 Linux programs, found by running one: a 93-byte static
# ELF whose code is exit(0) (mov eax, 1; xor ebx, ebx; int 0x80). A kernel without its 32-bit
# emulation refuses it with "Exec format error".
runs_32bit_programs() {
  local probe status=0
  probe=$(mktemp)
  {
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'  # 32-bit, little-endian
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08'          # executable, i386, entry
    printf '\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'          # program headers at 52
    printf '\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'          # one of 32 bytes
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'  # load file at 0x08048000
    printf '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'  # 93 bytes, r-x
    printf '\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'                      # exit(0)
  } >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  return $status
}

# The architecture the Windows suites run on here: LARKHOLM_WINDOWS_TEST_ARCH when set, else the
# shipped i686 where this machine runs 32-bit programs, else x86_64.
windows_test_arch() {
  if [ -n "${LARKHOLM_WINDOWS_TEST_ARCH:-}" ]; then
    windows_arch_check "$LARKHOLM_WINDOWS_TEST_ARCH" && echo "$LARKHOLM_WINDOWS_TEST_ARCH"
  elif runs_32bit_programs; then
    echo i686
  else
    echo x86_64
  fi
}
