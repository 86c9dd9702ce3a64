# bash completion for vantorel-cli: commands, options, .col files, and the colls of the file
# named before (as #N or by name, read with "vantorel-cli list FILE").

# The word as the shell will pass it: quotes and backslash escapes removed, a leading ~ expanded.
_vantorel_cli_unquote() {
  local word=$1
  case $word in
    \'*\') word=${word:1:${#word}-2} ;;
    \"*\") word=${word:1:${#word}-2} ;;
    \'* | \"*) word=${word:1} ;;
    *) word=$(printf '%s' "$word" | sed 's/\\\(.\)/\1/g') ;;
  esac
  [[ $word == "~/"* ]] && word=$HOME/${word:2}
  printf '%s' "$word"
}

# Collision files and folders below what is typed.
_vantorel_cli_files() {
  local pattern=$2 line
  compopt -o filenames 2>/dev/null
  while IFS= read -r line; do COMPREPLY+=("$line"); done < <(
    compgen -d -- "$1"
    compgen -f -X "!$pattern" -- "$1")
}

# The colls of a file: "#N" when that is how the word starts, else the names.
_vantorel_cli_colls() {
  local program=$1 file cur=$3 line number=0
  file=$(_vantorel_cli_unquote "$2")
  [[ -f $file ]] || return
  while IFS= read -r line; do
    number=$((number + 1))
    line=${line% \[-\]}
    if [[ $cur == "#"* ]]; then
      [[ "#$number" == "$cur"* ]] && COMPREPLY+=("#$number")
    elif [[ $line == "$cur"* ]]; then
      COMPREPLY+=("$(printf '%q' "$line")")
    fi
  done < <(LC_ALL=C.UTF-8 "$program" list -- "$file" 2>/dev/null)
}

_vantorel_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=""
  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
  local program=${COMP_WORDS[0]:-vantorel-cli}
  [[ $program == "~/"* ]] && program=$HOME/${program:2}
  COMPREPLY=()

  case $prev in
    --game)
      mapfile -t COMPREPLY < <(compgen -W "iii vc" -- "$cur")
      return ;;
    -o | --output)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return ;;
    --to)
      mapfile -t COMPREPLY < <(compgen -W "col1 col2 col3" -- "$cur")
      return ;;
    --material | --parameter | --decimal-separator) return ;;
  esac

  # The words before the cursor without the options and their values.
  local -a words=()
  local i word ended=""
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    if [[ -z $ended && $word == -?* ]]; then
      [[ $word == -- ]] && ended=1
      case $word in
        --game | -o | --output | --material | --parameter | --to | --decimal-separator) ((i++)) ;;
      esac
      continue
    fi
    words+=("$word")
  done

  if [[ -z $ended && $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "--json --game -o --output --append --overwrite --all
      --spheres --boxes --faces --material --parameter --to --decimal-separator --help --version --" \
      -- "$cur")
    return
  fi

  if ((${#words[@]} == 0)); then
    mapfile -t COMPREPLY < <(compgen -W "list info script check rename copy delete export
      import replace merge lod import-script recalc-bounds clean surface convert" -- "$cur")
    return
  fi

  # What the operand under the cursor is, by the command and its place (FILE is operand 1).
  local command=${words[0]} operand=${#words[@]}
  local kind=none source=${words[1]-}
  if ((operand == 1)); then
    kind=col
  else
    case $command in
      check) kind=col ;;
      info | script | rename | copy | delete | lod | recalc-bounds | clean | surface | convert)
        ((operand == 2)) && kind=coll ;;
      merge) ((operand == 2 || operand == 3)) && kind=coll ;;
      export)
        ((operand == 2)) && kind=coll
        ((operand == 3)) && kind=col ;;
      import)
        ((operand == 2)) && kind=col
        ((operand >= 3)) && kind=coll source=${words[2]} ;;
      replace)
        ((operand == 2)) && kind=coll
        ((operand == 3)) && kind=col
        ((operand == 4)) && kind=coll source=${words[3]} ;;
      import-script)
        ((operand == 2)) && kind=script ;;
    esac
  fi
  case $kind in
    col) _vantorel_cli_files "$cur" '*.[cC][oO][lL]' ;;
    script) _vantorel_cli_files "$cur" '*.[cC][sS][tT]' ;;
    coll) _vantorel_cli_colls "$program" "$source" "$cur" ;;
  esac
}

complete -F _vantorel_cli vantorel-cli
