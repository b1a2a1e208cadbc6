#!/usr/bin/env bash
# The real game in a real X window, played with real mouse and key events:
# the first start and its settings message, a spin, a win collected, the
# paytable page, Escape and the save file, a second start, the switch to
# English through the settings window, and a second copy refused while one runs.
#
#   tests/e2e/window_test.sh BUILD/nebulor BUILD/nebulor-save-info
#
# harness.sh runs it under Xvfb in a namespace of its own and keeps a
# screenshot of every step (NEBULOR_E2E_KEEP=1 keeps them after a pass).
# NEBULOR_E2E_STEPS="first_start first_spin" plays only the steps named
# (window_steps.sh), as the package check does with the installed game.
set -euo pipefail

# shellcheck source=tests/e2e/harness.sh
source "$(dirname "$(realpath "$0")")/harness.sh"
# shellcheck source=tests/e2e/window_steps.sh
source "$here/window_steps.sh"
run_steps
log "all steps passed"
