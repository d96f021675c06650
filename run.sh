#!/usr/bin/env bash
# Installs what is missing, builds, and starts the console on the simulator.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "TesteCliKavex: nenhuma tela gráfica disponível (DISPLAY não definido)." >&2
    exit 2
fi
exec "$BUILD_DIR/TesteCliKavex" "$@"
