# Bash completion for tavelle-cli. The options and the kind of value each
# takes come from the program's own --help, and the setting names after
# --set from its --print-settings, so the completion follows the program.

# The value an option of `help` takes, as --help names it (DIR, FILE,
# NAME=VALUE, ...), "-" for a flag, nothing for a word that is no option.
_tavelle_cli_value() {
    awk -v option="$2" '/^ +-/ {
        sub(/^ +/, "")
        split($0, columns, /  +/)
        words = split(columns[1], word, / /)
        count = split(word[1], names, /,/)
        for (i = 1; i <= count; i++)
            if (names[i] == option) { print (words > 1 ? word[2] : "-"); exit }
    }' <<<"$1"
}

_tavelle_cli() {
    local cur prev words cword
    _init_completion -n = || return

    local program=${words[0]} help
    help=$("$program" --help 2>/dev/null) || return

    case $(_tavelle_cli_value "$help" "$prev") in
        NAME=VALUE)
            local names
            names=$("$program" --print-settings 2>/dev/null | sed 's/=.*/=/')
            COMPREPLY=($(compgen -W "$names" -- "$cur"))
            compopt -o nospace
            return
            ;;
        *DIR*)
            _filedir -d
            return
            ;;
        FILE)
            _filedir
            return
            ;;
        - | '') ;;
        *)
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        local options
        options=$(awk '/^ +-/ { sub(/^ +/, ""); split($0, c, /[ ]/); gsub(/,/, " ", c[1]); print c[1] }' \
            <<<"$help")
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    _filedir tvg
}
complete -F _tavelle_cli tavelle-cli
