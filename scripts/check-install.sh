#!/usr/bin/env bash
# Installs a build into a fresh prefix and checks what arrived: the program
# and its engine module, the shipped data, the desktop entry (validated), the
# icons, the software-centre entry (validated) and the manual page (rendered
# without warnings, naming every option --help names); then runs the
# installed program, which must find its help page in the prefix rather than
# in the source tree. Then builds the Debian package from the same build and
# checks its control fields, its Depends against the libraries the program
# links, and its file list against the install, and runs the program
# unpacked from it.
# Usage: check-install.sh BUILD_DIR "16 22 ... 256" VERSION
set -u
build="$1"
sizes="$2"
version="$3"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
status=0
fail() { echo "FAIL: $*"; status=1; }
# What a machine without any display gives the program.
no_display() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }

if ! cmake --install "$build" --prefix "$prefix" >/dev/null; then
    echo "FAIL: cmake --install"
    exit 1
fi

[ -x "$prefix/bin/mivor" ] || fail "bin/mivor missing or not executable"
[ -f "$prefix/lib/mivor/mivor_webview.so" ] || fail "lib/mivor/mivor_webview.so missing"
for f in mivor2_help.htm ignore.lst htmldata.txt; do
    if [ ! -f "$prefix/share/mivor/$f" ]; then
        fail "share/mivor/$f missing"
    elif ! cmp -s "$source_dir/resources/$f" "$prefix/share/mivor/$f"; then
        fail "share/mivor/$f differs from resources/$f"
    fi
done

desktop="$prefix/share/applications/mivor.desktop"
if [ ! -f "$desktop" ]; then
    fail "share/applications/mivor.desktop missing"
else
    # Hints are advice; errors and warnings fail.
    out="$(desktop-file-validate "$desktop" 2>&1)" || fail "desktop-file-validate: $out"
    if grep -qE ': (error|warning):' <<<"$out"; then fail "desktop-file-validate: $out"; fi
    grep -qx 'MimeType=text/html;application/xhtml+xml;text/plain;' "$desktop" || fail "MimeType line"
    grep -qx 'Categories=Development;WebDevelopment;TextEditor;' "$desktop" || fail "Categories line"
    grep -qx 'Exec=mivor --files %F' "$desktop" || fail "Exec line"
    grep -qx 'Icon=mivor' "$desktop" || fail "Icon line"
fi

for s in $sizes; do
    icon="$prefix/share/icons/hicolor/${s}x${s}/apps/mivor.png"
    if [ ! -f "$icon" ]; then
        fail "icon ${s}x${s} missing"
    elif [ "$(identify -format '%wx%h %m' "$icon")" != "${s}x${s} PNG" ]; then
        fail "icon ${s}x${s} is $(identify -format '%wx%h %m' "$icon")"
    fi
done

# --version and --help are asked for where no display exists (package
# checks, scripts), so they run without one.
out="$(no_display "$prefix/bin/mivor" --version 2>/dev/null)" || fail "mivor --version exit status"
out="${out%%$'\n'*}"
[ "$out" = "Mivor $version" ] || fail "mivor --version printed '$out', the project's version is $version"
help="$(no_display "$prefix/bin/mivor" --help 2>/dev/null)" || fail "mivor --help exit status"
grep -qxF "Help page: $prefix/share/mivor/mivor2_help.htm" <<<"$help" \
    || fail "installed program does not find its help page in the prefix: $(grep 'Help page' <<<"$help")"
grep -qE "^HTML names: $prefix/share/mivor/htmldata.txt \([1-9][0-9]+ elements, [1-9][0-9]+ references\)$" <<<"$help" \
    || fail "installed program does not read its HTML names in the prefix: $(grep 'HTML names' <<<"$help")"

# The software-centre entry: valid (infos aside), for this release, naming
# the installed desktop file, with every screenshot one the repository has.
metainfo="$prefix/share/metainfo/io.github.mivor.metainfo.xml"
if [ ! -f "$metainfo" ]; then
    fail "share/metainfo/io.github.mivor.metainfo.xml missing"
else
    out="$(appstreamcli validate --no-net "$metainfo" 2>&1)" || fail "appstreamcli validate: $out"
    grep -qF "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
    launchable="$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")"
    [ -n "$launchable" ] && [ -f "$prefix/share/applications/$launchable" ] \
        || fail "metainfo launchable '$launchable' is not an installed desktop file"
    shots="$(sed -n 's|.*<image>.*/docs/screenshots/\([^<]*\)</image>.*|\1|p' "$metainfo")"
    [ -n "$shots" ] || fail "metainfo has no screenshots from docs/screenshots"
    for shot in $shots; do
        [ -f "$source_dir/docs/screenshots/$shot" ] || fail "metainfo screenshot $shot is not in docs/screenshots"
    done
    [ "$(grep -c '<caption>' "$metainfo")" = "$(grep -c '<image>' "$metainfo")" ] \
        || fail "a metainfo screenshot has no caption"
fi

# The manual page: no warning from man or groff, and every option that
# --help names is described in it.
manpage="$prefix/share/man/man1/mivor.1.gz"
if [ ! -f "$manpage" ]; then
    fail "share/man/man1/mivor.1.gz missing"
else
    warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$manpage" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fail "man page warnings: $warnings"
    rendered="$(LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$manpage" 2>/dev/null)"
    for option in $(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
        grep -qF -- "$option" <<<"$rendered" || fail "man page does not describe $option"
    done
    grep -qF "Mivor $version" <<<"$rendered" || fail "man page is not for version $version"
fi

# The package, built into a folder of its own so the build's own package
# (`make package`) is left alone.
deb="$work/pkg/mivor_${version}_amd64.deb"
if ! out="$(cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" 2>&1)"; then
    fail "cpack: $out"
elif [ ! -f "$deb" ]; then
    fail "cpack made no mivor_${version}_amd64.deb: $(ls "$work/pkg")"
else
    field() { dpkg-deb -f "$deb" "$1"; }
    [ "$(field Package)" = mivor ] || fail "Package: $(field Package)"
    [ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
    [ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
    [ "$(field Section)" = editors ] || fail "Section: $(field Section)"
    [ "$(field Priority)" = optional ] || fail "Priority: $(field Priority)"
    [ -n "$(field Maintainer)" ] || fail "no Maintainer"
    description="$(field Description)"
    [ "$(head -1 <<<"$description")" = "editor for hand-written HTML and plain text" ] \
        || fail "Description synopsis: $(head -1 <<<"$description")"
    [ "$(wc -l <<<"$description")" -ge 3 ] || fail "Description has no long text"
    dpkg-deb -I "$deb" | grep -qE '^ Installed-Size: [0-9]+$' || fail "no Installed-Size"

    # Every library the program or its module names must come with the
    # package that holds it.
    depends="$(field Depends)"
    depends_names="$(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }')"
    for elf in "$prefix/bin/mivor" "$prefix/lib/mivor/mivor_webview.so"; do
        for lib in $(objdump -p "$elf" | awk '$1 == "NEEDED" { print $2 }'); do
            # "libx.so => /path (addr)", or "/path/ld-linux.so (addr)" for the loader.
            path="$(ldd "$elf" | awk -v l="$lib" '$1 == l { print $3 } $1 ~ ("/" l "$") { print $1 }' | head -1)"
            owner=""
            if [ -n "$path" ]; then
                for candidate in "$path" "$(readlink -f "$path")" "/usr$path"; do
                    owner="$(dpkg -S "$candidate" 2>/dev/null | head -1)"
                    [ -n "$owner" ] && break
                done
            fi
            owner="${owner%%:*}"
            if [ -z "$owner" ]; then
                fail "no Debian package holds $lib ('$path'), needed by ${elf##*/}"
            elif ! grep -qxF "$owner" <<<"$depends_names"; then
                fail "Depends lacks $owner ($lib, needed by ${elf##*/}): $depends"
            fi
        done
    done

    # The files are those of the install, under /usr, plus the package's
    # licence and changelog, all owned by root.
    listing="$(dpkg-deb -c "$deb")"
    awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | sort >"$work/in-package"
    { (cd "$prefix" && find . ! -type d | sed 's|^\./|./usr/|')
      echo ./usr/share/doc/mivor/copyright
      echo ./usr/share/doc/mivor/changelog.gz; } | sort >"$work/installed"
    diff -u "$work/installed" "$work/in-package" >"$work/diff" \
        || fail "package files differ from the install (- install, + package): $(cat "$work/diff")"
    owners="$(awk '{ print $2 }' <<<"$listing" | sort -u)"
    [ "$owners" = root/root ] || fail "package files owned by $owners"

    unpacked="$work/unpacked"
    dpkg-deb -x "$deb" "$unpacked"
    copyright="$unpacked/usr/share/doc/mivor/copyright"
    head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        || fail "copyright is not in the machine-readable format"
    grep -qx 'License: GPL-3+' "$copyright" || fail "copyright names no GPL-3+ licence"
    grep -qF '/usr/share/common-licenses/GPL-3' "$copyright" || fail "copyright does not point at common-licenses"
    zcat "$unpacked/usr/share/doc/mivor/changelog.gz" | head -1 | grep -qF "mivor ($version)" \
        || fail "changelog does not start with version $version"
    # The software-centre entry as a software centre meets it: with the
    # desktop file and icon it names, where the package puts them.
    out="$(appstreamcli validate-tree --no-net "$unpacked" 2>&1)" || fail "appstreamcli validate-tree: $out"
    for elf in usr/bin/mivor usr/lib/mivor/mivor_webview.so; do
        # A stripped file keeps no debugging sections.
        if readelf -S "$unpacked/$elf" | grep -qF .debug_; then fail "$elf is not stripped"; fi
    done
    out="$(no_display "$unpacked/usr/bin/mivor" --version 2>/dev/null)"
    out="${out%%$'\n'*}"
    [ "$out" = "Mivor $version" ] || fail "packaged mivor --version printed '$out'"
    out="$(no_display "$unpacked/usr/bin/mivor" --help 2>/dev/null)"
    grep -qxF "Help page: $unpacked/usr/share/mivor/mivor2_help.htm" <<<"$out" \
        || fail "packaged program does not find its help page: $(tail -1 <<<"$out")"
fi

[ $status -eq 0 ] && echo "install: ok ($prefix, $(basename "$deb"))"
exit $status
