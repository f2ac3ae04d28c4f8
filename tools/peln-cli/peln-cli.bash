# bash completion for peln-cli: its commands, their options, the serial
# ports, settings files and the names of the settings. The commands, the
# options, the names and the ports are peln-cli's own answers (--help, help
# COMMAND, list, ports), so that the completion says what peln-cli takes;
# it is asked in English, whose headings ("Commands:", "Options:") and words
# ("reported") the completion reads, whatever the user's language.

_peln_cli_words()
{
    # One candidate a line, so that a file name with spaces stays one.
    mapfile -t COMPREPLY < <(compgen -W "$1" -- "$2")
}

_peln_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local cli=${COMP_WORDS[0]} command="" operands=0 i
    local -x LANGUAGE=en # for peln-cli's answers below; the user's is kept
    # The command is the first word that is no option; the words after it
    # that are no options, nor their values, are its operands.
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --port | --timeout | --file | -f) ((i++)) ;;
        -*) ;;
        *) if [[ -z $command ]]; then command=${COMP_WORDS[i]}; else ((operands++)); fi ;;
        esac
    done

    case $prev in
    --port)
        local ports
        ports="COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 COM10 COM11 COM12 COM13 COM14 COM15 COM16
$("$cli" ports 2>/dev/null | cut -f1)"
        if [[ $cur == /* ]]; then
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -W "$ports" -- "$cur"; compgen -f -- "$cur")
        else
            _peln_cli_words "$ports" "$cur"
        fi
        return
        ;;
    --timeout) return ;;
    --file | -f)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        return
        ;;
    esac

    local commands
    commands=$("$cli" --help 2>/dev/null | awk '/^Commands:/ {on = 1; next} on && /^  / {print $1} /^$/ {on = 0}')
    if [[ -z $command ]]; then
        _peln_cli_words "$commands --help --version --quiet" "$cur"
        return
    fi
    if [[ $command == help ]]; then
        _peln_cli_words "$commands" "$cur"
        return
    fi
    if [[ $cur == -* ]]; then
        local options
        options=$("$cli" help "$command" 2>/dev/null |
            awk '/^Options:/ {on = 1; next} on && /^  -/ {for (i = 1; i <= NF; i++) if ($i ~ /^--?[a-z-]+,?$/) {sub(/,$/, "", $i); print $i}}')
        _peln_cli_words "$options --help --quiet" "$cur"
        return
    fi

    # The settings' names (not those only read reports): NAME=VALUE for set,
    # NAME for get; set's first word may be its FILE as well.
    local names files=()
    if [[ $command == set || $command == get ]]; then
        names=$("$cli" list 2>/dev/null | awk '$2 != "reported" { print $1 }')
        if [[ $command == set ]]; then
            compopt -o nospace 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -W "$names" -S = -- "$cur")
            if [[ $operands -eq 0 && $cur != *=* ]]; then
                compopt -o filenames 2>/dev/null
                mapfile -t files < <(compgen -f -- "$cur")
                COMPREPLY+=("${files[@]}")
            fi
        else
            _peln_cli_words "$names" "$cur"
        fi
        return
    fi
    case $command in
    show | diff | frame | send)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        ;;
    esac
}
complete -F _peln_cli peln-cli
