# bash completion for mendwell-cli: the command first, then that command's
# options and, where a source is expected, .xls workbooks (and folders on the
# way to them). Installed as share/bash-completion/completions/mendwell-cli,
# which bash-completion loads the first time the command is completed.

_mendwell_cli() {
    local cur prev words cword split
    # -s: "--dest=FOLDER" completes its FOLDER like "--dest FOLDER".
    _init_completion -s || return

    if ((cword == 1)); then
        COMPREPLY=($(compgen -W 'extract info dump repair batch --help --version' -- "$cur"))
        return
    fi

    # The arguments that follow an option.
    case $prev in
        -o | --output)
            _filedir xls
            return
            ;;
        --dest)
            _filedir -d
            return
            ;;
        --sheet | --jobs)
            return
            ;;
        --report)
            # repair: a report file (or -); batch: a folder of reports.
            if [[ ${words[1]} == batch ]]; then _filedir -d; else _filedir; fi
            return
            ;;
    esac

    local leave_out='--no-numbers --no-formulas --no-bools --no-text --no-merged
                     --no-columns --no-rows'
    local options
    case ${words[1]} in
        extract)
            # SOURCE.xls, then OUTPUT, a plain file of any name.
            if ((cword == 2)); then
                _filedir xls
            elif ((cword == 3)); then
                _filedir
            fi
            return
            ;;
        info)
            # One workbook, after --json or not.
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W '--json' -- "$cur"))
            elif ((cword == 2)) || [[ $cword == 3 && ${words[2]} == --json ]]; then
                _filedir xls
            fi
            return
            ;;
        dump) options='--sheet --formulas' ;;
        repair) options="$leave_out -o --output --report" ;;
        batch) options="$leave_out --dest --jobs --report" ;;
        *) return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    else
        _filedir xls
    fi
} &&
    complete -F _mendwell_cli mendwell-cli
