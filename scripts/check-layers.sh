#!/usr/bin/env bash
# Fails when an include line of the plug-in (src/) runs upward through its layers, or when
# src/ or tools/ reaches into a driver's internals or (tools/) into the plug-in's own code.
# Anything may include the host's header (include/) and a driver's public headers
# (drivers/*/include/); a file may include its own layer and every layer below it.
set -euo pipefail
cd "$(dirname "$0")/.."

# Top to bottom.
layers=(boundary config_ui camera diagnostics platform)

declare -A rankOf
for index in "${!layers[@]}"; do rankOf[${layers[$index]}]=$index; done

mapfile -t publicDirectories < <(echo include; find drivers -type d -name include | sort)
mapfile -t driverInternals < <(find drivers -name '*.h' -not -path '*/include/*' | sort)

# Where an include names a file: "public", "src/<layer>/...", "drivers/..." (internal) or
# nothing when no file of the tree matches (a system or generated header).
resolve() {
    local including=$1 name=$2 directory internal relative
    for directory in "${publicDirectories[@]}"; do
        [[ -f $directory/$name ]] && { echo public; return; }
    done
    [[ -f src/$name ]] && { echo "src/$name"; return; }
    relative=$(realpath -m --relative-to=. "${including%/*}/$name")
    [[ -f $relative ]] && { echo "$relative"; return; }
    [[ -f $name ]] && { echo "$name"; return; }
    for internal in "${driverInternals[@]}"; do
        [[ $internal == */"$name" ]] && { echo "$internal"; return; }
    done
    return 0
}

failures=0
report() {
    echo "$1:$2: $3" >&2
    failures=$((failures + 1))
}

while IFS= read -r file; do
    ownLayer=${file#src/}
    ownRank=${rankOf[${ownLayer%%/*}]:--1}
    [[ $file == src/* ]] || ownRank=-1
    while IFS=: read -r line name; do
        target=$(resolve "$file" "$name")
        case $target in
        drivers/*) report "$file" "$line" "includes a driver's internal header $target" ;;
        src/*)
            if [[ $file == tools/* ]]; then
                report "$file" "$line" "includes the plug-in's internal header $target"
            elif ((ownRank >= 0)); then
                targetLayer=${target#src/}
                targetLayer=${targetLayer%%/*}
                targetRank=${rankOf[$targetLayer]:--1}
                if ((targetRank >= 0 && targetRank < ownRank)); then
                    report "$file" "$line" "includes $target from the layer above ($targetLayer)"
                fi
            fi
            ;;
        esac
    done < <(awk 'match($0, /^[ \t]*#[ \t]*include[ \t]*"[^"]*"/) {
        name = substr($0, RSTART, RLENGTH); sub(/^[^"]*"/, "", name); sub(/"$/, "", name)
        print FNR ":" name }' "$file")
done < <(git ls-files 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h'; git ls-files -o --exclude-standard 'src/*.cpp' 'src/*.h')

if ((failures > 0)); then
    echo "check-layers: $failures include lines break the layer order ${layers[*]}" >&2
    exit 1
fi
echo "check-layers: includes run downward (${layers[*]})"
