#!/usr/bin/env bash
# Makes the Debian package from build/ and checks it as Debian would: lintian
# finds nothing (its overrides name the few tags that do not apply), the
# programs carry every hardening feature, the desktop entry and the AppStream
# file validate, apt can resolve its dependencies, and it installs into a
# scratch root with every file its listing names and is purged from there
# leaving nothing behind.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh lintian desktop-file-utils appstream devscripts
source scripts/distribution-flags.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${distribution_flags[@]}" >/dev/null
cmake --build build --parallel

rm -f build/vellomar_*.deb
(cd build && cpack -G DEB >/dev/null)
debs=(build/vellomar_*.deb)
((${#debs[@]} == 1)) || { echo "expected one package, found: ${debs[*]}" >&2; exit 1; }
deb=$(realpath "${debs[0]}")
echo "== $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

echo "== lintian"
lintian --fail-on error,warning,info,pedantic --display-level '>=pedantic' "$deb"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb --extract "$deb" "$scratch/contents"
echo "== hardening-check"
# Every feature the distribution's flags ask for; Debian 12's ask for no
# control flow protection, which later releases add (stack clash protection
# it reports as unknown, which passes).
skipped=()
[[ $(dpkg-buildflags --get CXXFLAGS) == *-fcf-protection* ]] || skipped+=(--nocfprotection)
hardening-check "${skipped[@]}" "$scratch"/contents/usr/bin/vellomar-cli \
  "$scratch"/contents/usr/lib/vellomar/vellomar
echo "== desktop-file-validate, appstreamcli validate"
desktop-file-validate "$scratch"/contents/usr/share/applications/*.desktop
echo "== systemd-analyze verify (the weekly clean-up's examples)"
systemd-analyze verify --man=no "$scratch"/contents/usr/share/doc/vellomar/examples/vellomar-clean-garbage.{service,timer}
appstreamcli validate --no-net --pedantic "$scratch"/contents/usr/share/metainfo/*.metainfo.xml

echo "== apt resolves its dependencies"
apt-get install --simulate -qq "$deb" >/dev/null
# The drive table is libmount's reading of the mount table.
dpkg-deb --field "$deb" Depends | grep -q '\blibmount1\b' ||
  { echo "the package does not depend on libmount1" >&2; exit 1; }

echo "== install into a scratch root"
root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The scratch root holds none of the libraries: apt has checked them above.
dpkg --root="$root" --force-depends --install "$deb"
listed=$(dpkg-deb --contents "$deb" | awk '{ sub(/^\./, "", $6); print $6 }' | sed 's:/$::' |
  grep -v '^$' | sort)
installed=$(dpkg --root="$root" --listfiles vellomar | grep -v '^/\.$' | sort)
diff <(echo "$listed") <(echo "$installed")
while read -r path; do
  [[ -e $root$path || -L $root$path ]] || { echo "missing after install: $path" >&2; exit 1; }
done <<<"$listed"
# The installed programs run, the window program through its link in bin/.
"$root/usr/bin/vellomar-cli" totals >/dev/null
[[ -x $root/usr/bin/vellomar ]]

echo "== purge from the scratch root"
dpkg --root="$root" --purge vellomar
left=$(find "$root" -mindepth 1 \( -type f -o -type l \) -not -path "$root/var/lib/dpkg/*")
[[ -z $left ]] || { echo "left behind after purge:" >&2; echo "$left" >&2; exit 1; }
echo "package check passed: $(basename "$deb")"
