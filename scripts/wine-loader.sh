# Sourced by the scripts that start Wine: "wine" as a shell function, and
# nodrax_wine, the command that starts a program (for exec).
#
# Debian's wine starts every program through Wine's 32-bit loader once the
# 32-bit half is installed; that loader hands 64-bit programs on to the
# 64-bit one. On a machine whose kernel runs no 32-bit program (a container
# or a VM without IA-32 emulation) every start then fails with "Exec format
# error". There the 64-bit loader is started directly: it runs the editor,
# the applet, the tests and the installer, which are all 64-bit programs.
if /usr/lib/wine/wine --version >/dev/null 2>&1 || [ ! -x /usr/lib/wine/wine64 ]; then
  nodrax_wine=(wine)
  nodrax_wine32=yes
else
  nodrax_wine=(env WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64)
  nodrax_wine32=no
fi
wine() { "${nodrax_wine[@]}" "$@"; }
