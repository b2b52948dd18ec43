#!/usr/bin/env bash
# scripts/run.sh starts the window in the caller's folder, wherever the checkout is: a
# stand-in for the window reports the folder it was started in and its arguments.
set -euo pipefail
run_script="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

mkdir -p "$scratch/build/src/window" "$scratch/caller folder"
cat > "$scratch/build/src/window/korvelant" <<'STANDIN'
#!/usr/bin/env bash
printf '%s\n' "$PWD" "$@"
STANDIN
chmod +x "$scratch/build/src/window/korvelant"

cd "$scratch/caller folder"
shown="$(KORVELANT_SKIP_BUILD=1 KORVELANT_BUILD_DIR="$scratch/build" "$run_script" -style fusion)"
expected="$(printf '%s\n' "$scratch/caller folder" -style fusion)"
if [[ "$shown" != "$expected" ]]; then
  printf 'run.sh started the window as\n%s\ninstead of\n%s\n' "$shown" "$expected" >&2
  exit 1
fi
echo "run.sh starts the window in the caller's folder"
