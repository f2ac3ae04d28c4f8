# bash completion for peln-cli: its commands, their options, the serial
# ports, settings files and the names of the settings.

_peln_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local commands="show get diff set frame send read list help"
    local command="" operands=0 i
    # The command is the first word that is no option; the words after it
    # that are no options, nor their values, are its operands.
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --port | --timeout) ((i++)) ;;
        -*) ;;
        *) if [[ -z $command ]]; then command=${COMP_WORDS[i]}; else ((operands++)); fi ;;
        esac
    done

    case $prev in
    --port)
        local ports="COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 COM10 COM11 COM12 COM13 COM14 COM15 COM16"
        local adapters
        adapters=$(compgen -G '/dev/ttyUSB*'; compgen -G '/dev/ttyACM*')
        COMPREPLY=($(compgen -W "$ports $adapters" -- "$cur"))
        return
        ;;
    --timeout) return ;;
    esac

    local options="--help --quiet"
    case $command in
    "")
        COMPREPLY=($(compgen -W "$commands --help --version --quiet" -- "$cur"))
        return
        ;;
    show) options+=" --json" ;;
    set) options+=" --force" ;;
    frame) options+=" --hex --force" ;;
    send) options+=" --port --force --read --verify --timeout --json" ;;
    read) options+=" --port --timeout --json" ;;
    help)
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return
        ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    # After the file come the settings' names (not those only read reports):
    # NAME=VALUE for set, NAME for get.
    if [[ ($command == set || $command == get) && $operands -ge 1 ]]; then
        local names
        names=$("${COMP_WORDS[0]}" list 2>/dev/null | awk '$2 != "reported" { print $1 }')
        if [[ $command == set ]]; then
            compopt -o nospace 2>/dev/null
            COMPREPLY=($(compgen -W "$names" -S = -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$names" -- "$cur"))
        fi
        return
    fi
    case $command in
    show | get | diff | set | frame | send)
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -f -- "$cur"))
        ;;
    esac
}
complete -F _peln_cli peln-cli
