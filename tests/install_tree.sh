#!/usr/bin/env bash
# What `cmake --install` puts into a prefix: both programs, their manual
# pages, which render without a warning, and peln-cli's bash completion,
# which offers every command and option that peln-cli's help names.
#   install_tree.sh BUILD-DIR
set -uo pipefail
build=$1
prefix=$(mktemp -d) && trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
for file in bin/peln bin/peln-cli share/man/man1/peln.1 share/man/man1/peln-cli.1 \
    share/bash-completion/completions/peln-cli; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for page in "$prefix"/share/man/man1/*.1; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFOPT=-ww man -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
done

completion=$prefix/share/bash-completion/completions/peln-cli
bash -n "$completion" || fail "the completion script does not parse"
cli=$prefix/bin/peln-cli
offered() {
    # shellcheck disable=SC1090
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _peln_cli
             printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@" | sort
}
commands=$("$cli" --help | awk '/^Commands:/ {on = 1; next} on && /^  / {print $1} /^$/ {on = 0}' | sort)
[ -n "$commands" ] || fail "peln-cli --help names no commands"
[ "$(offered "$cli" "" | grep -v '^-')" = "$commands" ] || fail "completion offers other commands: $(offered "$cli" "")"
# The manual page says what the command table says: every command's syntax
# and every option of each, and the exit statuses.
manual=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$prefix/share/man/man1/peln-cli.1" 2>/dev/null | col -b | tr -s ' ')
"$cli" --help | awk '/^Commands:/ {on = 1; next} on && /^  / {sub(/^  /, ""); print} /^$/ {on = 0}' |
    while IFS= read -r syntax; do
        grep -qF -- "$(tr -s ' ' <<<"$syntax")" <<<"$manual" || fail "the manual page lacks \"$syntax\""
    done || exit 1
for command in $commands; do
    options=$( ("$cli" help "$command" | awk '/^Options:/ {on = 1; next} on && /^  -/ {for (i = 1; i <= NF; i++) if ($i ~ /^--?[a-z-]+,?$/) {sub(/,$/, "", $i); print $i}}'
        printf -- '--help\n--quiet\n') | grep -- '^--' | sort)
    [ "$command" = help ] && continue
    [ "$(offered "$cli" "$command" --)" = "$options" ] ||
        fail "completion offers other options for $command: $(offered "$cli" "$command" --)"
    for option in $options; do
        grep -qF -- "$option" <<<"$manual" || fail "the manual page lacks $option of $command"
    done
done
for status in 0 1 2 3 4 5; do
    grep -qE "^ *$status " <<<"$("$cli" --help)" && grep -qE "^ *$status " <<<"$manual" ||
        fail "exit status $status is not in --help and the manual page alike"
done
offered "$cli" set pu | grep -qx 'pump=' || fail "completion offers no setting names without FILE"
offered "$cli" get -f x.txt pu | grep -qx 'pump' || fail "completion offers no names for get"
# The same to a German user: peln-cli's answers are read in English.
[ "$(LANGUAGE=de offered "$cli" "" | grep -v '^-')" = "$commands" ] &&
    [ "$(LANGUAGE=de offered "$cli" send --)" = "$(offered "$cli" send --)" ] &&
    [ "$(LANGUAGE=de offered "$cli" set "")" = "$(offered "$cli" set "")" ] ||
    fail "completion offers other words in German"
spaced=$(mktemp -d) && touch "$spaced/PELN PROGRAM DATA.TXT"
[ "$(cd "$spaced" && offered "$cli" show PELN)" = "PELN PROGRAM DATA.TXT" ] ||
    fail "completion splits a file name with spaces"
rm -r "$spaced"
offered "$cli" send --port /dev/tt | grep -q '^/dev/tty' || fail "completion offers no devices after --port /dev/"
echo "install tree, manual pages and completion: ok"
