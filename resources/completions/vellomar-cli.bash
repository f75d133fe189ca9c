# bash completion for vellomar-cli
#
# Bin ids and drives come from the program's output, which holds whatever file
# names the disk holds: they are offered as text and quoted for the line, and
# never pass through compgen -W or eval, which would run what they contain.

# The text a typed word stands for, its quotes and backslashes taken away.
_vellomar_cli_unquote() {
    local word=$1 text="" quote="" char i
    for ((i = 0; i < ${#word}; i++)); do
        char=${word:i:1}
        if [[ $quote != "'" && $char == '\' ]]; then
            ((i++))
            text+=${word:i:1}
        elif [[ -z $quote && ($char == "'" || $char == '"') ]]; then
            quote=$char
        elif [[ -n $quote && $char == "$quote" ]]; then
            quote=""
        else
            text+=$char
        fi
    done
    printf %s "$text"
}

# Offers each line of stdin that begins with what is typed after $1 (the
# "t=" of "t=FOLDER", say), quoted so the shell reads it back as that text.
# Readline replaces only what follows the last "=" or ":" it splits words at.
_vellomar_cli_offer() {
    local head=$1 typed line quoted breaks="" cut=""
    typed=$(_vellomar_cli_unquote "${cur#"$head"}")
    [[ $COMP_WORDBREAKS == *=* ]] && breaks+="="
    [[ $COMP_WORDBREAKS == *:* ]] && breaks+=":"
    [[ -n $breaks ]] && cut=${cur%"${cur##*[$breaks]}"}
    while IFS= read -r line; do
        [[ -n $line && $line == "$typed"* ]] || continue
        printf -v quoted %q "$line"
        quoted=$head$quoted
        COMPREPLY+=("${quoted#"$cut"}")
    done
}

# Words of a fixed list, one a line, for _vellomar_cli_offer.
_vellomar_cli_words() { printf '%s\n' "$@"; }

_vellomar_cli() {
    local cur prev words cword
    _init_completion -n := 2>/dev/null || {
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD-1]}
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    }
    COMPREPLY=()
    local commands=(garbage zero videos pictures sounds screensavers bookmarks documents zips
        webpages inidat logs tax name internet internet-pics fetch-all scan-browsers totals
        drives bin)
    local options=(--older-than --filter --sort --keep-case --delete --to-bin --yes --print0
        --format --drive --exact --partial --match-case --ignore-case --help --version)
    local sorts=(ext name path size) formats=(tsv json) ages=(7d 30d 90d 12h 90m)

    # A value after its option, as the next word or after "=".
    local option=$prev head=""
    if [[ $cur == --*=* ]]; then
        option=${cur%%=*}
        head=$option=
    fi
    case $option in
        --sort) _vellomar_cli_offer "$head" < <(_vellomar_cli_words "${sorts[@]}") ;;
        --format) _vellomar_cli_offer "$head" < <(_vellomar_cli_words "${formats[@]}") ;;
        --older-than) _vellomar_cli_offer "$head" < <(_vellomar_cli_words "${ages[@]}") ;;
        --filter) ;;
        --drive)
            compopt -o nospace 2>/dev/null
            if [[ $cur == "$head"[a-zA-Z]=* ]]; then
                head=${cur:0:${#head}+2}
                local folder
                folder=$(_vellomar_cli_unquote "${cur#"$head"}")
                _vellomar_cli_offer "$head" < <(compgen -d -- "$folder" | sed 's:$:/:')
            else
                _vellomar_cli_offer "$head" < <(_vellomar_cli_words {a..z}=)
            fi ;;
        *) option="" ;;
    esac
    [[ -n $option ]] && return
    if [[ $cur == -* ]]; then
        _vellomar_cli_offer "" < <(_vellomar_cli_words "${options[@]}")
        return
    fi

    # The words so far that are not options or their values.
    local i command="" bin_action="" count=0 drive_options=()
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --drive) drive_options+=(--drive "${words[i + 1]}"); ((i++)) ;;
            --drive=*) drive_options+=("${words[i]}") ;;
            --sort | --format | --older-than | --filter) ((i++)) ;;
            -*) ;;
            *)
                ((count++))
                if [[ -z $command ]]; then command=${words[i]}
                elif [[ $command == bin && -z $bin_action ]]; then bin_action=${words[i]}
                fi ;;
        esac
    done
    # The drive options as the program is to read them, quotes taken away.
    for i in "${!drive_options[@]}"; do
        drive_options[i]=$(_vellomar_cli_unquote "${drive_options[i]}")
    done

    if [[ -z $command ]]; then
        _vellomar_cli_offer "" < <(_vellomar_cli_words "${commands[@]}")
    elif [[ $command == bin ]]; then
        if [[ -z $bin_action ]]; then
            _vellomar_cli_offer "" < <(_vellomar_cli_words list restore delete empty)
        elif [[ $bin_action == restore || $bin_action == delete ]]; then
            _vellomar_cli_offer "" < <(vellomar-cli "${drive_options[@]}" bin list 2>/dev/null | cut -f1)
        fi
    else
        # The drive comes after the command, and after the text of name.
        local drive_at=1
        [[ $command == name ]] && drive_at=2
        case $command in totals | drives | internet | internet-pics) return ;; esac
        ((count == drive_at)) || return
        _vellomar_cli_offer "" < <(vellomar-cli "${drive_options[@]}" drives 2>/dev/null | cut -f1)
    fi
}
complete -F _vellomar_cli vellomar-cli
