#!/usr/bin/env bash
# Runs a command inside a private D-Bus session that has a GNOME Keyring of
# its own, created and unlocked for the run, so that the keyring tests use a
# real Secret Service and never the user's.
#     scripts/with-keyring.sh COMMAND [ARGS...]
set -euo pipefail
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/data" "$home/run" "$home/config"
chmod 700 "$home/run"
export XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run XDG_CONFIG_HOME=$home/config
# A desktop name the keychain library knows to use the Secret Service for.
export XDG_CURRENT_DESKTOP=GNOME
# Tells the test binaries that this session bus is theirs to use.
export MIVOR_TEST_KEYRING=1
exec dbus-run-session -- bash -c '
  printf "test-login" | gnome-keyring-daemon --unlock --components=secrets >/dev/null
  exec "$@"' keyring "$@"
