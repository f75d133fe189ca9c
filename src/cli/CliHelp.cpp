#include "cli/CliHelp.h"

namespace vellomar::cli {

std::string CliHelp() {
    return R"(Usage: vellomar-cli [OPTION]... COMMAND [WORD]...
Finds unwanted files on a drive, lists them, and removes them or moves them to the bin.
Drives are letters with a colon (c: is /); "vellomar-cli drives" lists them.

Searches (the entries go to stdout, the totals to stderr):
  garbage | zero | videos | pictures | sounds | screensavers | bookmarks
  | documents | zips | webpages | inidat | logs | tax  DRIVE
                          the files of one category on DRIVE
  name TEXT DRIVE         files named TEXT
      --exact | --partial          the whole name, or a part of it (--exact)
      --match-case | --ignore-case letter case counts, or not (--ignore-case)
  internet | internet-pics the browsers' cached files, or their pictures only
  fetch-all DRIVE         the cached files, then garbage and empty files on DRIVE

Options of every search:
  --older-than AGE        only files last modified longer ago than AGE:
                          30d (days), 12h (hours) or 90m (minutes)
  --filter TEXT           keep only entries that hold TEXT, letter case ignored;
                          may be repeated
  --sort ext|name|path|size [--keep-case]
                          sort as the window does (entries lower-cased unless
                          --keep-case)
  --delete [--yes]        delete every listed file; without --yes the question
                          is answered "No"
  --to-bin [--yes]        move every listed file to the bin instead
  --print0                the entries' native paths, each ended by a NUL
  --format tsv|json       one record a line: path, size, modification time and
                          the native path (see vellomar-cli(1))

The bin:
  bin list [--format tsv|json]
                          every item: id, original path, size, time moved, bin
  bin restore ID...       put items back where they came from
  bin delete ID... [--yes]
                          remove items for good
  bin empty [--older-than AGE] [--yes]
                          remove every item for good, or those moved in longer ago

Other commands:
  drives [--format tsv|json]
                          the drive table: letter, mount point, file system,
                          label (records: also what the letter is remembered by)
  scan-browsers DRIVE     record the browser profile folders found on DRIVE
  totals                  the File Statistics lines

Options of every command:
  --drive L=FOLDER        make FOLDER drive L: for this run (repeatable)
  -h, --help              print this help and exit
  --version               print the version and exit
  --                      end the options: every word after it is an operand

Exit status: 0 when all went well, 1 when something could not be done (the
reason per file on stderr), 2 for a mistake on the command line, 130 when
Ctrl-C stopped a search (what it found is printed; nothing more is deleted).
)";
}

std::string CliVersion() { return "vellomar-cli " VELLOMAR_VERSION "\n"; }

}  // namespace vellomar::cli
