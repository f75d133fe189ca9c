"""Names for the benchmark tree: folders, ordinary files, garbage files, links.

A name is unique inside its folder because it carries the caller's ordinal and
folder words differ from file words; no word holds a digit, a dot or a '~', so
ordinary names never look like garbage.
"""

FOLDER_WORDS = [
    "src", "include", "lib", "docs", "Photos", "Music", "Videos", "Downloads",
    "projects", "backup", "archive", "build", "assets", "temp", "notes",
    "reports", "Invoices", "Program Files", "settings", "cache", "Übersicht", "données",
]

FILE_WORDS = [
    "main", "util", "readme", "report", "invoice", "holiday", "track", "index",
    "setup", "data", "image", "letter", "budget", "summary", "draft", "config",
    "résumé", "naïve", "Straße", "日記", "photo", "song", "movie", "page",
]

# (extension, weight): a desktop user's mix, source code and media first.
ORDINARY_EXTENSIONS = [
    (".c", 10), (".h", 8), (".so", 2), (".py", 6), (".json", 5), (".txt", 10),
    (".jpg", 9), (".png", 6), (".mp3", 5), (".html", 5), (".dat", 3), (".ini", 2),
    (".log", 4), (".doc", 3), (".docx", 3), (".zip", 2), (".avi", 1),
    (".tax2008", 1), (".t05", 1), (".url", 1), ("", 6),
]

GARBAGE_EXTENSIONS = [
    ".tmp", ".TMP", ".Tmp", ".bak", ".BAK", ".chk", ".old", ".gid", ".---", ".~dp", ".~1~",
]

GARBAGE_KEYS = {".TMP", ".BAK", ".CHK", ".---", ".OLD", ".GID"}


def is_garbage_name(name):
    """The CLI's rule: key of the last extension, or a '~' right after its dot."""
    dot = name.rfind(".")
    if dot <= 0:
        return False
    extension = name[dot:]
    return extension.upper()[:4] in GARBAGE_KEYS or extension[1:2] == "~"


def folder_name(rng, ordinal, hidden):
    word = rng.choice(FOLDER_WORDS)
    separator = rng.choice(["", "_", " ", "-"])
    return f"{'.' if hidden else ''}{word}{separator}{ordinal}"


class FileNamer:
    """Draws file names from one seeded generator, weighted like ORDINARY_EXTENSIONS."""

    def __init__(self, rng):
        self._rng = rng
        self._extensions = [ext for ext, _ in ORDINARY_EXTENSIONS]
        self._weights = [weight for _, weight in ORDINARY_EXTENSIONS]

    def ordinary(self, ordinal):
        rng = self._rng
        roll = rng.random()
        if roll < 0.03:
            return f".{rng.choice(FILE_WORDS)}rc{ordinal}"
        extension = rng.choices(self._extensions, self._weights)[0]
        if roll < 0.05:
            return self._long_stem(ordinal) + extension
        return f"{rng.choice(FILE_WORDS)}{rng.choice(['', '_', ' '])}{ordinal}{extension}"

    def garbage(self, ordinal):
        rng = self._rng
        stem = f"{rng.choice(FILE_WORDS)}{ordinal}"
        if rng.random() < 0.2:
            stem += rng.choice(self._extensions[:-1])  # a.b.tmp: only the last extension counts
        return stem + rng.choice(GARBAGE_EXTENSIONS)

    def _long_stem(self, ordinal):
        words = " ".join(self._rng.choices(FILE_WORDS, k=self._rng.randint(8, 20)))
        # Cut in bytes: a name may hold at most 255 of them.
        cut = words.encode()[:180].decode(errors="ignore")
        return f"{cut} {ordinal}"
