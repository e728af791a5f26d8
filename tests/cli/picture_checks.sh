# Shared by the picture tests: a private work folder and settings
# directory, and `check NAME COMMAND...`, which counts the command as passed
# or failed and shows its output when it fails. Sourced, not run.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export KAVOR_HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$KAVOR_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
passed=0
failed=0

check() {  # check NAME COMMAND...
  local name=$1
  shift
  if "$@" >"$WORK/last.log" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $name"
    sed 's/^/    /' "$WORK/last.log"
  fi
}
