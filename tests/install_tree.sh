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
for command in $commands; do
    options=$( ("$cli" help "$command" | awk '/^  --/ {print $1}'; printf -- '--help\n--quiet\n') | sort)
    [ "$command" = help ] && continue
    [ "$(offered "$cli" "$command" --)" = "$options" ] ||
        fail "completion offers other options for $command: $(offered "$cli" "$command" --)"
done
offered "$cli" set file.txt pu | grep -qx 'pump=' || fail "completion offers no setting names"
echo "install tree, manual pages and completion: ok"
