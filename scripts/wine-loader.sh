# Sourced by the scripts that start Wine (and by the installer's test).
#
# Debian's wine starts every program through Wine's 32-bit loader once the
# 32-bit half is installed; that loader hands 64-bit programs on to the
# 64-bit one. On a machine whose kernel runs no 32-bit program (a container
# or a VM without IA-32 emulation) every start then fails with "Exec format
# error". There "wine" (and "wine-stable", which wineboot and the other
# tools call) become the 64-bit loader, started directly, for this script
# and every program it starts: the editor, the applet, the tests and the
# installer are all 64-bit programs. nodrax_wine32 says whether Wine's
# 32-bit half is installed and runs.
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  nodrax_wine32=yes
else
  nodrax_wine32=no
  if [ -x /usr/lib/wine/wine ]; then
    case ":$PATH:" in
      *"/wine64-only:"*) ;;
      *) export PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64-only:$PATH" ;;
    esac
  fi
fi
