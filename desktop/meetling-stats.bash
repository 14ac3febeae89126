# Bash completion for meetling-stats.
_meetling_stats()
{
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    case $prev in
        --plot|--map)
            COMPREPLY=($(compgen -f -X '!*.@(png|svg)' -- "$cur") $(compgen -d -- "$cur"))
            return ;;
        --class)
            COMPREPLY=($(compgen -f -X '!*.csv' -- "$cur") $(compgen -d -- "$cur"))
            return ;;
        --pupils-sheet|--teacher-sheet)
            COMPREPLY=($(compgen -f -X '!*.pdf' -- "$cur") $(compgen -d -- "$cur"))
            return ;;
        --paper)
            COMPREPLY=($(compgen -W 'A4 Letter' -- "$cur"))
            return ;;
        --csv)
            COMPREPLY=($(compgen -f -- "$cur"))
            return ;;
        --momo|--dog|--seconds|--runs|--seed|--threads|--sheet-rows)
            return ;;
    esac
    COMPREPLY=($(compgen -W '--help --version --momo --dog --seconds --runs --seed --threads --plot --map --json --csv --class --pupils-sheet --teacher-sheet --sheet-rows --paper' -- "$cur"))
}
complete -o filenames -F _meetling_stats meetling-stats
