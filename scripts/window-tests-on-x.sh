#!/usr/bin/env bash
# Runs the window's tests of a build on a real X display, where what the offscreen runs cannot
# show is tried: window activation and keyboard focus, and the platform's accessibility bridge
# on an AT-SPI bus that says a screen reader is on. Each test runs as ctest runs it, with its
# own command and environment (ctest --show-only=json-v1), on the display instead of offscreen.
#   scripts/window-tests-on-x.sh [BUILD_DIR]     (default: build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}

if [[ "${KORVELANT_ON_X:-}" != 1 ]]; then
  # A display of its own (no window manager) and a session bus of its own.
  exec env KORVELANT_ON_X=1 xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
    dbus-run-session -- "$0" "$build"
fi

# What a screen reader does on starting: tell the accessibility bus that one is on.
dbus-send --session --type=method_call --print-reply --dest=org.a11y.Bus /org/a11y/bus \
  org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
  variant:boolean:true >/dev/null

ctest --test-dir "$build" --show-only=json-v1 | python3 -c '
import json, os, subprocess, sys
failed = []
for test in json.load(sys.stdin)["tests"]:
    environment = next((p["value"] for p in test.get("properties", [])
                        if p["name"] == "ENVIRONMENT"), [])
    if "QT_QPA_PLATFORM=offscreen" not in environment:
        continue  # not a window test
    env = dict(os.environ)
    env.update(item.split("=", 1) for item in environment)
    env["QT_QPA_PLATFORM"] = "xcb"
    run = subprocess.run(test["command"], env=env, capture_output=True, text=True)
    print(("passed  " if run.returncode == 0 else "FAILED  ") + test["name"], flush=True)
    if run.returncode != 0:
        failed.append(test["name"])
        sys.stdout.write(run.stdout[-6000:] + run.stderr[-6000:])
print(f"{len(failed)} window test programs failed on the X display" if failed
      else "every window test program passed on the X display")
sys.exit(1 if failed else 0)
'
