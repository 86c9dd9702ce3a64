#!/usr/bin/env bash
# Runs the bash completion of vantorel-cli as bash does on Tab, and checks what it offers.
#   bash_completion_test.sh COMPLETION VANTOREL-CLI SAMPLE.col
set -uo pipefail
export LC_ALL=C.UTF-8
completion=$1 cli=$2 sample=$3
# shellcheck source=/dev/null
source "$completion"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dir="$work/Mods ä ö"
mkdir -p "$dir/sub dir"
cp "$sample" "$dir/my sample é.col"
cp "$sample" "$dir/other.COL"
touch "$dir/notes.txt" "$dir/wall.cst"
file="$dir/my sample é.col"
typed=${file// /\\ }  # as typed at the prompt, blanks escaped

failures=0
# complete WORD... : the completion with the cursor on the last word.
complete_words() {
  COMP_WORDS=("$cli" "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _vantorel_cli vantorel-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
}
# expect WORD... -- OFFER... : each OFFER is among the completions.
offers() {
  local -a words=()
  while [[ $1 != -- ]]; do words+=("$1"); shift; done
  shift
  complete_words "${words[@]}"
  local want got found
  for want in "$@"; do
    found=""
    for got in "${COMPREPLY[@]}"; do [[ $got == "$want" ]] && found=1; done
    if [[ -z $found ]]; then
      echo "FAIL: [${words[*]}] does not offer '$want'; offers: ${COMPREPLY[*]}"
      failures=$((failures + 1))
    fi
  done
}
# lacks WORD... -- OFFER... : no OFFER is among the completions.
lacks() {
  local -a words=()
  while [[ $1 != -- ]]; do words+=("$1"); shift; done
  shift
  complete_words "${words[@]}"
  local bad got
  for bad in "$@"; do
    for got in "${COMPREPLY[@]}"; do
      if [[ $got == "$bad" ]]; then
        echo "FAIL: [${words[*]}] offers '$bad'"
        failures=$((failures + 1))
      fi
    done
  done
}

mapfile -t names < <("$cli" list "$file" | sed 's/ \[-\]$//')
count=${#names[@]}
if ((count < 2)); then echo "FAIL: the sample lists $count colls"; exit 1; fi
first=${names[0]}

offers "" -- list info check import-script recalc-bounds surface
offers "im" -- import import-script
offers "co" -- copy convert
offers convert "$typed" --to "" -- col1 col2 col3
offers convert "$typed" --to col3 "#" -- "#1" "#$count"
lacks "im" -- info
offers --js -- --json
offers list --game "" -- iii vc
offers list "$dir/m" -- "$file"
offers list "$dir/" -- "$dir/other.COL" "$dir/sub dir"
lacks list "$dir/" -- "$dir/notes.txt" "$dir/wall.cst"
offers check "$typed" "$dir/o" -- "$dir/other.COL"
offers info "$typed" "#" -- "#1" "#$count"
lacks info "$typed" "#" -- "#$((count + 1))" "$first"
offers info --json "$typed" "" -- "$first" "${names[count - 1]}"
offers info "'$file'" "${first:0:3}" -- "$first"
offers replace "$typed" "#1" "$dir/other.COL" "#" -- "#$count"
offers import "$typed" "$dir/other.COL" "#1" "" -- "$first"
offers import-script "$typed" "$dir/w" -- "$dir/wall.cst"
offers -o out.col merge "$typed" "#1" "" -- "$first"
lacks merge "$typed" "#1" "#2" "" -- "$first"
lacks info "$dir/missing.col" "" -- "$first"

if ((failures > 0)); then
  echo "$failures failures"
  exit 1
fi
echo "bash completion: all cases passed"
