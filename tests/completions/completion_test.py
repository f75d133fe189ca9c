#!/usr/bin/env python3
"""Presses TAB in a real interactive shell, in a pseudo-terminal, with
vellomar-cli's completions loaded, over a bin whose items are named
"$(touch PWNED).tmp", "$(touch${IFS}PWNED2).tmp" and "a b;c.tmp". The words the shell then reads back
must be the items' keys, and nothing the names hold may have been run.

Usage: completion_test.py bash|zsh|fish CLI COMPLETIONS_DIR
Exits 77 (skipped) when the shell is absent."""

import os
import pty
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
# The second runs even where the list is split at blanks before it is expanded.
HOSTILE_NAMES = ["$(touch PWNED).tmp", "$(touch${IFS}PWNED2).tmp", "a b;c.tmp"]
STARTUP = {
    "bash": (["bash", "--norc", "--noprofile", "-i"],
             "source {bash_completion}; source {dir}/vellomar-cli.bash; PS1='$ '"),
    "zsh": (["zsh", "-f", "-i"],
            "fpath=({dir} $fpath); autoload -Uz compinit; compinit -u -D; PS1='$ '"),
    "fish": (["fish", "--no-config", "-i"],
             "source {dir}/vellomar-cli.fish; function fish_prompt; echo '$ '; end"),
}
BASH_COMPLETION = "/usr/share/bash-completion/bash_completion"


class Terminal:
    """An interactive shell on a pseudo-terminal, typed at key by key."""

    def __init__(self, argv, env, cwd):
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.chdir(cwd)
            os.execvpe(argv[0], argv, env)
        self.seen = b""

    def read_until(self, pattern, timeout=20):
        deadline = time.monotonic() + timeout
        while not re.search(pattern, self.seen):
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError(f"waited for {pattern!r}; the terminal shows:\n{self.text()}")
            if select.select([self.fd], [], [], left)[0]:
                try:
                    self.seen += os.read(self.fd, 65536)
                except OSError:
                    break

    def settle(self, timeout=30):
        """Waits until the shell has read and run everything typed so far."""
        self.type("echo SETTLED | tr A-Z a-z\r")  # the typed line never shows the output
        self.read_until(rb"\nsettled", timeout)

    def type(self, keys):
        os.write(self.fd, keys.encode())

    def text(self):
        return re.sub(rb"\x1b\[[0-9;?]*[a-zA-Z]|\x1b[\]P][^\x07\x1b]*(\x07|\x1b\\)?|\r", b"",
                      self.seen).decode(errors="replace")

    def close(self):
        self.type("exit\r")
        try:
            os.waitpid(self.pid, 0)
        except ChildProcessError:
            pass


def make_bin(cli, root, env):
    """Moves the hostile files from drive t: to the bin of the data folder (the
    drive can hold none, so that "bin list" shows them with or without the
    drive option), and puts a second file into each item's folder, so that
    each is keyed ID/NAME and its key holds the name."""
    drive = os.path.join(root, "drive")
    os.makedirs(drive)
    for name in HOSTILE_NAMES + ["Garbage Bin"]:
        open(os.path.join(drive, name), "w").close()
    run = lambda *args: subprocess.run([cli, "--drive", "t=" + drive, *args], env=env,
                                       capture_output=True, text=True, check=True).stdout
    run("garbage", "t:", "--to-bin", "--yes")
    for folder, _, files in os.walk(os.path.join(root, "home")):
        if set(files) & set(HOSTILE_NAMES):
            open(os.path.join(folder, "zz-second"), "w").close()
    keys = [line.split("\t")[0] for line in run("bin", "list").splitlines()]
    hostile = [k for k in keys if not k.endswith("/zz-second")]
    assert sorted(k.split("/", 1)[1] for k in hostile) == sorted(HOSTILE_NAMES), keys
    return drive, hostile


def typed_prefix(key):
    """The key typed up to just past the first character its neighbour lacks,
    escaped as a person types it."""
    item, name = key.split("/", 1)
    return item + "/" + ("\\$" if name.startswith("$") else name[0])


def words_read_back(term, line):
    """Types LINE (TABs and all), then turns it into a printf of its words and
    returns the words the shell read back."""
    term.seen = b""
    term.type(line)
    time.sleep(1.5)  # the completion runs vellomar-cli
    term.type("\x01printf '<%s>\\n' \r")  # C-a: the words as the shell reads them
    term.settle()
    return re.findall(r"^<(.*)>$", term.text(), re.M)


def main():
    shell, cli, directory = sys.argv[1], os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3])
    if not shutil.which(shell):
        print(f"{shell} is not installed: its completion is not tried")
        return SKIP
    if shell == "bash" and not os.path.exists(BASH_COMPLETION):
        print("bash-completion is not installed: the bash completion is not tried")
        return SKIP
    root = tempfile.mkdtemp(prefix="vellomar-completion-")
    home = os.path.join(root, "home")
    os.makedirs(home)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/.config",
               XDG_DATA_HOME=home + "/.local/share", TERM="dumb", INPUTRC="/dev/null",
               PATH=os.path.dirname(cli) + os.pathsep + os.environ.get("PATH", ""))
    env.pop("ZDOTDIR", None)
    failures = []
    try:
        drive, keys = make_bin(cli, root, env)
        argv, startup = STARTUP[shell]
        term = Terminal(argv, env, root)
        term.type(startup.format(dir=directory, bash_completion=BASH_COMPLETION) + "\r")
        term.settle()

        # Keyed from the bin list, with the drive option and without.
        restore = "vellomar-cli --drive t=" + drive + " bin restore "
        line = restore + "".join(typed_prefix(key) + "\t" for key in keys)
        for typed in (line, "vellomar-cli bin restore " + typed_prefix(keys[0]) + "\t"):
            words = words_read_back(term, typed)
            expected = keys if typed == line else keys[:1]
            if words[-len(expected):] != expected:
                failures.append(f"TAB gave the words {words}, not the keys {expected}")

        checks = [
            ("vellomar-cli drives --format=t\t", ["vellomar-cli", "drives", "--format=tsv"]),
            ("vellomar-cli bin list --format j\t", ["vellomar-cli", "bin", "list", "--format", "json"]),
            ("vellomar-cli bin empty --older-t\t", ["vellomar-cli", "bin", "empty", "--older-than"]),
            ("vellomar-cli --drive t=" + root + "/dr\t",
             ["vellomar-cli", "--drive", "t=" + drive + "/"]),
            ("vellomar-cli --drive t=" + drive + " zero t\t",
             ["vellomar-cli", "--drive", "t=" + drive, "zero", "t:"]),
        ]
        for typed, expected in checks:  # a folder's "/" zsh takes away on Enter
            words = words_read_back(term, typed)
            if [w.rstrip("/") for w in words] != [w.rstrip("/") for w in expected]:
                failures.append(f"{typed!r} completed to {words}, not {expected}")

        # The completed line run for real puts the files back.
        term.seen = b""
        term.type(line + "\r")
        time.sleep(1.5)
        term.settle()
        term.close()
        for name in HOSTILE_NAMES:
            if not os.path.exists(os.path.join(drive, name)):
                failures.append(f"the completed restore did not put back {name!r}")
        planted = [os.path.join(d, f) for d, _, files in os.walk(root) for f in files
                   if f.startswith("PWNED")]
        if planted:
            failures.append(f"completing ran a command from a file name: {planted}")
        print(term.text()[-3000:])
    finally:
        shutil.rmtree(root, ignore_errors=True)
    for failure in failures:
        print("FAILED:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
