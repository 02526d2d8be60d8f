#!/usr/bin/env bash
# The bash completion of w4ctl: sources it as bash does and checks COMPREPLY
# for a few command lines.
#   completion.sh COMPLETION_FILE [FOLDER_OF_W4CTL]
set -u
source "$1" || exit 1
[ $# -ge 2 ] && PATH="$2:$PATH"

failed=0
# expect "COMMAND LINE (the last word is completed)" WORD...: COMPREPLY holds
# exactly these words, in any order.
expect() {
    local line=$1
    shift
    read -r -a COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE=$line
    COMP_POINT=${#line}
    COMPREPLY=()
    _w4ctl w4ctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    local got want
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
    want=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
    [ $# -eq 0 ] && want=""
    [ ${#COMPREPLY[@]} -eq 0 ] && got=""
    if [ "$got" != "$want" ]; then
        echo "FAIL '$line': got [$got], want [$want]"
        failed=1
    else
        echo "PASS '$line'"
    fi
}

expect "w4ctl s" search status save
expect "w4ctl --tcp 198.51.100.20 st" status
expect "w4ctl --lang " zh en ru
expect "w4ctl --dry" --dry-run
expect "w4ctl mode one" one-big-one-small one-big-three-small
expect "w4ctl mode single " 
expect "w4ctl window 2 --fr" --freeze --from
expect "w4ctl window 2 --audio " on off
expect "w4ctl factory-reset --y" --yes
expect "w4ctl layout 3x" 3x1 3x2 3x3
expect "w4ctl preset " save apply
expect "w4ctl --interval 10 preset a" apply
if [ $# -ge 2 ]; then
    expect "w4ctl picture 1 lu" luminance
fi
exit $failed
