#!/usr/bin/env bash
# Lets the real Chromium and Firefox fetch a page of pictures from a local
# site, headless, with their profiles and caches in a temporary home, then
# checks that `vellomar-cli internet` lists exactly the copies they wrote and
# `internet-pics` exactly the pictures among them.
#
#   bench/real-browsers.sh [--cli PATH] [--keep]    (default: build/vellomar-cli)
#
# Needs chromium and firefox-esr (apt-get install chromium firefox-esr).
# Exit 1 on a mismatch, 2 when something needed is missing.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cli="$repo/build/vellomar-cli"
keep=0
while (($#)); do
  case $1 in
    --cli) cli=${2:?--cli needs a path}; shift 2 ;;
    --keep) keep=1; shift ;;
    *) echo "real-browsers.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
[[ -x $cli ]] || { echo "real-browsers.sh: no vellomar-cli at $cli" >&2; exit 2; }
for browser in chromium firefox-esr; do
  command -v "$browser" >/dev/null || { echo "real-browsers.sh: $browser is not installed" >&2; exit 2; }
done

work=$(mktemp -d /tmp/vellomar-browsers.XXXXXX)
server=
cleanup() {
  [[ -n $server ]] && kill "$server" 2>/dev/null
  if ((keep)); then echo "kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# Everything the browsers and the program write stays in the temporary home.
export HOME="$work/home" XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_CACHE_HOME" "$XDG_CONFIG_HOME"

python3 "$repo/bench/picture_site.py" serve "$work/port" 2>"$work/served.log" &
server=$!
for _ in $(seq 50); do [[ -s $work/port ]] && break; sleep 0.1; done
[[ -s $work/port ]] || { echo "real-browsers.sh: the site did not start" >&2; exit 2; }
page="http://127.0.0.1:$(cat "$work/port")/index.html"

# Chromium keeps its cache below $XDG_CACHE_HOME when its profile lies below
# $XDG_CONFIG_HOME; headless, it needs a profile folder of its own or uses a
# throwaway one. --dump-dom quits once the page has loaded, closing the cache.
timeout 120 chromium --headless --disable-gpu --no-sandbox \
  --user-data-dir="$XDG_CONFIG_HOME/chromium" --virtual-time-budget=3000 \
  --dump-dom "$page" >/dev/null 2>"$work/chromium.log"

# Firefox makes its profile under ~/.mozilla/firefox where that folder exists
# (newer versions otherwise use $XDG_CONFIG_HOME/mozilla/firefox) and
# keeps its cache under $XDG_CACHE_HOME/mozilla/firefox/<profile> either way.
# --screenshot quits once the page has loaded; Firefox writes its cache
# entries out as it quits.
mkdir -p "$HOME/.mozilla/firefox"
timeout 120 firefox-esr --headless -CreateProfile bench >"$work/firefox.log" 2>&1
profile=$(find "$HOME/.mozilla/firefox" -maxdepth 1 -name '*.bench' -type d | head -1)
[[ -n $profile ]] || { echo "real-browsers.sh: Firefox made no profile" >&2; exit 2; }
cat >"$profile/user.js" <<'PREFS'
user_pref("browser.cache.disk.enable", true);
user_pref("browser.cache.disk.smart_size.enabled", false);
user_pref("browser.cache.disk.capacity", 102400);
user_pref("app.update.enabled", false);
user_pref("browser.safebrowsing.malware.enabled", false);
user_pref("browser.safebrowsing.phishing.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
PREFS
timeout 120 firefox-esr --headless -P bench --screenshot "$work/page.png" "$page" \
  >>"$work/firefox.log" 2>&1

env XDG_CONFIG_HOME="$work/program" "$cli" --drive t="$work" internet >"$work/internet.txt" 2>/dev/null
env XDG_CONFIG_HOME="$work/program" "$cli" --drive t="$work" internet-pics >"$work/pictures.txt" 2>/dev/null

# The yardstick: every file of the browsers' copy folders, matched to the one
# URL the site served that it holds.
python3 - "$work" "$(cat "$work/port")" "$repo/bench/picture_site.py" <<'PY'
import glob, os, subprocess, sys

work, port, site = sys.argv[1], sys.argv[2], sys.argv[3]
served = sorted({line.split(" ", 1)[1].strip() for line in open(os.path.join(work, "served.log"))
                 if line.startswith("served ")})
pictures = {line.split(" ", 1)[1] for line in subprocess.run(
    [sys.executable, site, "urls"], capture_output=True, text=True, check=True).stdout.splitlines()
    if line.startswith("picture ")}
urls = {f"http://127.0.0.1:{port}{path}".encode(): path for path in served}
assert not any(a != b and b.startswith(a) for a in urls for b in urls), "a URL starts another"

def drive_form(path):
    return "t:\\" + os.path.relpath(path, work).replace("/", "\\")

def listed(name):
    return {line.rstrip("\n") for line in open(os.path.join(work, name))}

internet, shown_pictures = listed("internet.txt"), listed("pictures.txt")
folders = {"chromium": "cache/chromium/*/Cache/Cache_Data",
           "firefox": "cache/mozilla/firefox/*/cache2/entries"}
ok = True
print(f"site: {len(served)} URLs requested, {len(pictures & set(served))} of them pictures")
for browser, pattern in folders.items():
    copies, expected_pictures, strays = set(), set(), []
    for path in sorted(glob.glob(os.path.join(work, pattern, "*"))):
        if not os.path.isfile(path) or os.path.basename(path) == "index":
            continue
        data = open(path, "rb").read()
        held = [path_ for url, path_ in urls.items() if url in data]
        if len(held) != 1:
            strays.append((os.path.basename(path), held))
            continue
        copies.add(drive_form(path))
        if held[0] in pictures:
            expected_pictures.add(drive_form(path))
    mine = {entry for entry in internet if entry.startswith(drive_form(os.path.join(work, "cache")))
            and ("\\mozilla\\" in entry) == (browser == "firefox")}
    mine_pictures = {entry for entry in shown_pictures if entry in mine}
    # Each browser must have cached every picture, or the run proves little.
    match = (mine == copies and mine_pictures == expected_pictures and not strays
             and len(expected_pictures) == len(pictures & set(served)))
    ok = ok and match
    print(f"{browser}: {len(copies)} copies, {len(expected_pictures)} pictures; "
          f"internet lists {len(mine)}, internet-pics {len(mine_pictures)}: "
          f"{'MATCH' if match else 'MISMATCH'}")
    for name, held in strays:
        print(f"  {name}: holds {len(held)} of the site's URLs")
    for entry in sorted(mine ^ copies):
        print(f"  internet {'lists' if entry in mine else 'misses'} {entry}")
    for entry in sorted(mine_pictures ^ expected_pictures):
        print(f"  internet-pics {'lists' if entry in mine_pictures else 'misses'} {entry}")
sys.exit(0 if ok else 1)
PY
