# bash completion for vellomar-cli

_vellomar_cli() {
    local cur prev words cword
    _init_completion -n : 2>/dev/null || {
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD-1]}
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    }
    COMPREPLY=()
    local commands="garbage zero videos pictures sounds screensavers bookmarks documents zips
        webpages inidat logs tax name internet internet-pics fetch-all scan-browsers totals
        drives bin"
    local options="--older-than --filter --sort --keep-case --delete --to-bin --yes --print0
        --format --drive --exact --partial --match-case --ignore-case --help --version"

    case $prev in
        --sort) COMPREPLY=($(compgen -W "ext name path size" -- "$cur")); return ;;
        --format) COMPREPLY=($(compgen -W "tsv json" -- "$cur")); return ;;
        --older-than) COMPREPLY=($(compgen -W "7d 30d 90d 12h 90m" -- "$cur")); return ;;
        --filter) return ;;
        --drive) compopt -o nospace 2>/dev/null; COMPREPLY=($(compgen -W "{a..z}=" -- "$cur")); return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
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

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
    elif [[ $command == bin ]]; then
        if [[ -z $bin_action ]]; then
            COMPREPLY=($(compgen -W "list restore delete empty" -- "$cur"))
        elif [[ $bin_action == restore || $bin_action == delete ]]; then
            COMPREPLY=($(compgen -W "$(vellomar-cli "${drive_options[@]}" bin list 2>/dev/null |
                cut -f1)" -- "$cur"))
        fi
    else
        # The drive comes after the command, and after the text of name.
        local drive_at=1
        [[ $command == name ]] && drive_at=2
        case $command in totals | drives | internet | internet-pics) return ;; esac
        ((count == drive_at)) || return
        COMPREPLY=($(compgen -W "$(vellomar-cli "${drive_options[@]}" drives 2>/dev/null |
            cut -f1)" -- "$cur"))
        # A drive holds a colon, which bash splits words at.
        declare -F __ltrim_colon_completions >/dev/null && __ltrim_colon_completions "$cur"
    fi
}
complete -F _vellomar_cli vellomar-cli
