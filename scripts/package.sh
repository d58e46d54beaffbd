#!/usr/bin/env bash
# Builds the Windows executables and makes the release archive
# dist/DesktopSuite-<version>.zip: the seven programs, the Japanese manual (CP932, CR LF)
# and each program's sample data in samples/<program>/.
#
# The version is the suite's project version, as the configured build holds it. Every
# program's version resource must carry the same version, else the archive is not made.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup.sh
cmake --preset mingw >/dev/null
programs=(Tamvoro:agent Pindorel:notes Quillard:answersheet Mensato:ruler Lindrow:wait
          Ordinell:seqlist Velcrest:disctray)
cmake --build --preset mingw -j "$(nproc)" --target "${programs[@]%%:*}"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' build/mingw/CMakeCache.txt)"
if [ -z "$version" ]; then
    echo "package: the build holds no project version" >&2
    exit 1
fi

# The file version an executable's version resource carries, as major.minor.
resource_version() {
    x86_64-w64-mingw32-windres -J coff -O rc -i "$1" |
        sed -n 's/^ *FILEVERSION \([0-9]*\), *\([0-9]*\),.*/\1.\2/p'
}

name="DesktopSuite-$version"
stage="build/package/$name"
rm -rf build/package && mkdir -p "$stage/samples"

mismatch=0
for entry in "${programs[@]}"; do
    program="${entry%%:*}" dir="${entry#*:}"
    exe="build/mingw/$dir/$program.exe"
    carried="$(resource_version "$exe")"
    if [ "$carried" != "$version" ]; then
        echo "package: $program.exe carries version ${carried:-none}, the suite is $version" >&2
        mismatch=1
    fi
    cp "$exe" "$stage/"
    if [ -d "$dir/demo" ]; then
        cp -r "$dir/demo" "$stage/samples/$program"
    fi
done
if [ "$mismatch" -ne 0 ]; then
    exit 1
fi

# The manual's source is UTF-8 with LF; the archive holds it as Notepad reads it.
sed "s/@VERSION@/$version/g; s/\$/\r/" docs/manual/読んでください.txt.in |
    iconv -f UTF-8 -t CP932 >"$stage/読んでください.txt"

mkdir -p dist
rm -f "dist/$name.zip"
(cd build/package && cmake -E tar cf "$root/dist/$name.zip" --format=zip "$name")
echo "package: dist/$name.zip"
