#!/usr/bin/env bash
# The end-to-end tests against the built program; they start their own X
# server, session bus and accessibility bus.
set -euo pipefail
HALVORN_BIN=$(realpath "${1:?usage: run-e2e.sh path/to/halvorn-setup [pytest args]}")
export HALVORN_BIN PYTHONDONTWRITEBYTECODE=1
shift
unset DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
cd "$(dirname "$0")"
exec /usr/bin/python3 -m pytest -p no:cacheprovider -v -W ignore::DeprecationWarning . "$@"
