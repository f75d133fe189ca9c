# fish completion for vellomar-cli

set -l __vellomar_commands garbage zero videos pictures sounds screensavers bookmarks documents zips webpages inidat logs tax name internet internet-pics fetch-all scan-browsers totals drives bin

# Drives and bin items come from the program's output, which holds whatever
# file names the disk holds: each line is one completion, which fish escapes
# for the line, and none is ever evaluated.

# The --drive options typed so far, as the program is to read them.
function __vellomar_cli_drive_options
    set -l tokens (commandline -opc)
    for i in (seq 2 (count $tokens))
        switch $tokens[$i]
            case --drive
                set -q tokens[(math $i + 1)]; and printf '%s\n' --drive $tokens[(math $i + 1)]
            case '--drive=*'
                printf '%s\n' $tokens[$i]
        end
    end
end

# The first two fields of a listing's lines: the word, then its description.
function __vellomar_cli_listed
    vellomar-cli (__vellomar_cli_drive_options) $argv 2>/dev/null | string replace -r '^([^\t]*)\t([^\t]*).*' '$1\t$2'
end

# L=FOLDER: a letter, then a folder after the "=".
function __vellomar_cli_drive_mapping
    set -l token (commandline -ct)
    if string match -rq '^[a-zA-Z]=' -- $token
        set -l letter (string sub -l 2 -- $token)
        for folder in (__fish_complete_directories (string sub -s 3 -- $token))
            printf '%s%s\n' $letter $folder
        end
    else
        printf '%s=\n' a b c d e f g h i j k l m n o p q r s t u v w x y z
    end
end

complete -c vellomar-cli -f
complete -c vellomar-cli -n "not __fish_seen_subcommand_from $__vellomar_commands" -a "$__vellomar_commands"
complete -c vellomar-cli -n "__fish_seen_subcommand_from bin; and not __fish_seen_subcommand_from list restore delete empty" -a "list restore delete empty"
complete -c vellomar-cli -n "__fish_seen_subcommand_from restore delete" -a "(__vellomar_cli_listed bin list)"
complete -c vellomar-cli -n "__fish_seen_subcommand_from garbage zero videos pictures sounds screensavers bookmarks documents zips webpages inidat logs tax name fetch-all scan-browsers" -a "(__vellomar_cli_listed drives)"

complete -c vellomar-cli -l older-than -x -a "7d 30d 90d 12h 90m" -d "only files older than AGE"
complete -c vellomar-cli -l filter -x -d "keep entries holding TEXT"
complete -c vellomar-cli -l sort -x -a "ext name path size" -d "sort the list"
complete -c vellomar-cli -l keep-case -d "keep the letter case when sorting"
complete -c vellomar-cli -l delete -d "delete every listed file"
complete -c vellomar-cli -l to-bin -d "move every listed file to the bin"
complete -c vellomar-cli -l yes -d "answer the question Yes"
complete -c vellomar-cli -l print0 -d "entries ended by NUL"
complete -c vellomar-cli -l format -x -a "tsv json" -d "one record a line"
complete -c vellomar-cli -l drive -x -a "(__vellomar_cli_drive_mapping)" -d "make FOLDER drive L (L=FOLDER)"
complete -c vellomar-cli -l exact -d "the whole name"
complete -c vellomar-cli -l partial -d "a part of the name"
complete -c vellomar-cli -l match-case -d "letter case counts"
complete -c vellomar-cli -l ignore-case -d "letter case does not count"
complete -c vellomar-cli -s h -l help -d "print the help"
complete -c vellomar-cli -l version -d "print the version"
