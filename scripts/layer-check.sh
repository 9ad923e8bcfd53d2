#!/usr/bin/env bash
# The source folders form layers that run one way: a file includes only its own folder and the
# folders below it, and a class's methods are defined in the folder that declares the class.
# Prints each file and line that breaks this and exits 1. Usage: scripts/layer-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# From the bottom up; the README's Code layout lists them in the same order. The platforms stand
# side by side on top: neither includes the other.
layers=(base input render world elements game app sound)
platforms=(desktop browser)
declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done
for p in "${platforms[@]}"; do rank[$p]=${#layers[@]}; done

status=0
for dir in src/*/; do
    folder=$(basename "$dir")
    if [ -z "${rank[$folder]+set}" ]; then
        echo "src/$folder: a folder with no place in the layers"
        status=1
    fi
done

# Includes that run upwards.
while IFS=: read -r file line target; do
    from=$(basename "$(dirname "$file")")
    to=${target%%/*}
    if [ -n "${rank[$to]+set}" ] && [ "${rank[$to]}" -gt "${rank[$from]}" ]; then
        echo "$file:$line: includes \"$target\" from a layer above ($from below $to)"
        status=1
    elif [ "$to" != "$from" ] && [ -n "${rank[$to]+set}" ] && [ "${rank[$to]}" -eq "${rank[$from]}" ]; then
        echo "$file:$line: includes \"$target\" from another platform ($from beside $to)"
        status=1
    fi
done < <(grep -rnoE '^#include "[a-z_]+/[a-z_]+\.h"' src | sed -E 's/#include "(.*)"/\1/')

# Methods defined outside their class's folder: definitions start at the line's start.
declare -A home
while IFS=: read -r file name; do
    home[$name]=$(basename "$(dirname "$file")")
done < <(grep -roE '^(class|struct) [A-Z][A-Za-z0-9]*( final)? *[:{]' src --include='*.h' |
    sed -E 's/^([^:]*):(class|struct) ([A-Za-z0-9]*).*/\1:\3/')
while IFS=: read -r file line name; do
    folder=$(basename "$(dirname "$file")")
    if [ -n "${home[$name]+set}" ] && [ "${home[$name]}" != "$folder" ]; then
        echo "$file:$line: defines a method of $name, declared in src/${home[$name]}"
        status=1
    fi
done < <(grep -rnoE '^[A-Za-z].*[ *&]?\b[A-Z][A-Za-z0-9]*::~?[A-Za-z][A-Za-z0-9]*\(' src \
    --include='*.cpp' | sed -E 's/^([^:]*):([0-9]*):.*\b([A-Z][A-Za-z0-9]*)::~?[A-Za-z0-9]*\($/\1:\2:\3/')

[ "$status" -eq 0 ] && echo "layers: clean"
exit "$status"
