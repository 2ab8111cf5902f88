#!/usr/bin/env bash
# Unpacks the Debian package given as $1 into a scratch root (dpkg -x, as
# root or not) and uses it as a user would, from an empty folder with a new
# home: tavix-cli identifies the built-in demo device, which needs the
# user's config.ini, made from the packaged default on first use. Also checks
# that the package holds what an installed Tavix needs.
set -euo pipefail
deb=${1:?usage: package-smoke.sh PACKAGE.deb}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

dpkg -x "$deb" "$scratch/root"
for f in usr/bin/tavix usr/bin/tavix-cli usr/bin/tavix-devsim usr/bin/tavix-launch \
    usr/share/tavix/config.ini usr/share/tavix/home.bmp usr/share/tavix/home_zh_CN.bmp usr/share/applications/tavix.desktop \
    usr/share/mime/packages/tavix.xml usr/share/icons/hicolor/64x64/apps/tavix.png \
    usr/share/doc/tavix/copyright usr/share/doc/tavix/changelog.gz \
    usr/share/man/man1/tavix.1.gz usr/share/man/man1/tavix-cli.1.gz \
    usr/share/man/man1/tavix-devsim.1.gz usr/share/man/man1/tavix-launch.1.gz; do
    if [ ! -e "$scratch/root/$f" ]; then
        echo "package-smoke: the package has no /$f" >&2
        exit 1
    fi
done
if file "$scratch/root/usr/bin/tavix-cli" | grep -q "not stripped"; then
    echo "package-smoke: /usr/bin/tavix-cli is not stripped" >&2
    exit 1
fi

mkdir -p "$scratch/home" "$scratch/empty"
cd "$scratch/empty"
set +e
out=$(env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$scratch/home" \
    "$scratch/root/usr/bin/tavix-cli" identify --port demo 2>"$scratch/err")
status=$?
set -e
cat "$scratch/err" >&2
if [ "$status" -ne 0 ]; then
    echo "package-smoke: tavix-cli identify --port demo failed ($status): $out" >&2
    exit 1
fi
printf '%s\n' "$out"
if ! cmp -s "$scratch/home/.config/Tavix/config.ini" "$scratch/root/usr/share/tavix/config.ini"; then
    echo "package-smoke: the user's config.ini was not made from the packaged one" >&2
    exit 1
fi
if [ -n "$(ls -A "$scratch/empty")" ]; then
    echo "package-smoke: tavix-cli left files in the working folder: $(ls -A "$scratch/empty")" >&2
    exit 1
fi
echo "package-smoke: $(basename "$deb") runs from an empty folder"
