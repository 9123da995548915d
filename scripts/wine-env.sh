# Sourced by the scripts that start Wine. Wine's 32-bit half needs a kernel
# that runs 32-bit programs; some virtual machines run 64-bit code only
# (their kernel refuses an i386 program with "Exec format error"), and there
# Debian's wrapper, which prefers the 32-bit loader whenever it is
# installed, cannot start anything. On such a machine every "wine" of the
# scripts and the tests goes to the 64-bit loader; the editor, the applet,
# the tests and the installer are all 64-bit programs.
if [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  case ":$PATH:" in
    *"/wine64-only:"*) ;;
    *) export PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64-only:$PATH" ;;
  esac
  export NODRAX_WINE32=unusable
fi
