# Sourced: a fresh Wine prefix for this shell, booted, and removed with its
# server when the shell exits. Sets wine to Wine's 64-bit loader.
wine=/usr/lib/wine/wine64
WINEPREFIX="$(mktemp -d /tmp/vellomar-wine.XXXXXX)"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '/usr/lib/wine/wineserver64 -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
"$wine" wineboot --init >/dev/null 2>&1
