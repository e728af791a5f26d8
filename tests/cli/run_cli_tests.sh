#!/usr/bin/env bash
# End-to-end checks of kavor-convert: exit status and the messages on
# standard error.
# Usage: run_cli_tests.sh PATH/TO/kavor-convert PATH/TO/tests/data

set -u

convert=${1:?path of kavor-convert}
data=${2:?tests data directory}

work=$(mktemp -d "${TMPDIR:-/tmp}/kavor-cli-XXXXXX")
trap 'rm -rf "$work"' EXIT
export KAVOR_HOME="$work/home"
mkdir -p "$KAVOR_HOME"

passed=0
failed=0
status=0
stderr_text=""

# Runs kavor-convert with its standard error kept in $stderr_text and the
# exit code in $status. Standard input comes from /dev/null unless given.
run() {
  "$convert" "$@" >"$work/stdout" 2>"$work/stderr" </dev/null
  status=$?
  stderr_text=$(cat "$work/stderr")
}

run_stdin() {
  local input=$1
  shift
  printf '%b' "$input" | "$convert" "$@" >"$work/stdout" 2>"$work/stderr"
  status=$?
  stderr_text=$(cat "$work/stderr")
}

fail() {
  echo "FAIL: $1"
  echo "  exit status: $status"
  echo "  stderr:"
  sed 's/^/    /' "$work/stderr"
  failed=$((failed + 1))
}

pass() { passed=$((passed + 1)); }

# expect NAME STATUS LINE...: the exit status and every LINE, each a whole
# line of standard error.
expect() {
  local name=$1 want=$2
  shift 2
  if [ "$status" -ne "$want" ]; then
    fail "$name (expected exit status $want)"
    return
  fi
  local line
  for line in "$@"; do
    if ! grep -qxF -- "$line" "$work/stderr"; then
      fail "$name (missing line: $line)"
      return
    fi
  done
  pass
}

# expect_absent NAME LINE: LINE is not on standard error.
expect_absent() {
  if grep -qxF -- "$2" "$work/stderr"; then
    fail "$1 (unexpected line: $2)"
  else
    pass
  fi
}

# expect_order NAME FIRST SECOND: FIRST appears on an earlier line than SECOND.
expect_order() {
  local a b
  a=$(grep -nxF -- "$2" "$work/stderr" | head -n1 | cut -d: -f1)
  b=$(grep -nxF -- "$3" "$work/stderr" | head -n1 | cut -d: -f1)
  if [ -n "$a" ] && [ -n "$b" ] && [ "$a" -lt "$b" ]; then pass; else fail "$1 (order of '$2' and '$3')"; fi
}

plot() { printf '%b' "$2" >"$work/$1"; echo "$work/$1"; }

out="$work/out.png"
good=$(plot good.plt 'IN;SP1;PA0,0;PD100,100;PU;')
bad=$(plot bad.plt 'XPA10,10;')

# Fatal option errors: the message names the token, the exit status is 1.
run -o "$out" -ZZ "$good"
expect "unknown option" 1 'Error: Invalid Parameter "-ZZ" !'

run -o "$out" -zz "$good"
expect "option names are upper-cased" 1 'Error: Invalid Parameter "-ZZ" !'

run -o "$out" -PT hp9999 "$good"
expect "unknown plotter" 1 'Error: Invalid Parameter "hp9999" !'

run -o "$out" -BM 10 10 95 50 "$good"
expect "trimming beyond 100 per cent" 1 'Error: Invalid Parameter "50" !'

run -o "$out" -OM x "$good"
expect "unsupported -OM" 1 'not support x option !' 'Error: Invalid Parameter "x" !'
expect_order "-OM warns before the fatal error" 'not support x option !' 'Error: Invalid Parameter "x" !'

run -o "$out" -RE 0 "$good"
expect "zero resolution" 1 'Error: Invalid Output DPI[0] !'

run -o "$out" -DW 0 "$good"
expect "zero display width" 1 'Error: Invalid display window width [0] !'

# Missing and unusable input files end the process with a message.
run -o "$out" "$work/none.plt"
expect "missing input" 1 " input file $work/none.plt not found !"

mkdir -p "$work/adir"
run -o "$out" "$work/adir"
expect "directory as input" 1 " input file $work/adir not found !"

# Plots: instruction errors are reported and the run goes on.
run -o "$out" "$bad"
expect "unknown instruction" 0 'XP:Invalid command.' "Now rasterizing [$bad]"

run -o "$out" -pt hp7585 -pp a4e -PX 2X1 -RE 300X600 -PW 35A -FRAME "$good"
expect "valid options in any case" 0
expect_absent "valid plot has no messages" 'XP:Invalid command.'

twice=$(plot twice.plt 'XP;QQ;')
run -o "$out" --abort-on-error "$twice"
expect "abort ends the run and fails it" 1 'XP:Invalid command.' "kavor-convert: $twice was not converted"
expect_absent "nothing after abort" 'QQ:Invalid command.'

esc=$(plot esc.plt '\033%-1BIN;\033%-1X\033.I81;;17:SP1;\033E')
run -o "$out" "$esc"
expect "escape sequences" 0 '**:Esc%-1? error, ? must be B.'
expect_absent "device control skipped" 'I8:Invalid command.'

run_stdin 'XPA10,10;' -o "$out" -
expect "standard input" 0 'XP:Invalid command.'

if [ -f "$data/mixed_sample.plt" ]; then
  run -o "$out" "$data/mixed_sample.plt"
  expect "sample plot" 0 "Now rasterizing [$data/mixed_sample.plt]"
fi

# A parameter file as the shell writes it.
printf -- '-NOVRESET\r\n-NOWAIT\r\n-PT\r\nHP7585\r\n-IN\r\n%s\r\n' "$bad" >"$work/param.kv"
run -o "$out" --param "$work/param.kv"
expect "parameter file" 0 "Now rasterizing [$bad]" 'XP:Invalid command.'

run -o "$out" --param "$work/no-param.kv"
expect "missing parameter file" 1 "parameter file $work/no-param.kv not found !"

# A settings file renders as the desktop program does: through $param.kv.
printf -- '-PT HP7585\n-PP A1E\n-MONO\n' >"$work/settings.kv"
run -o "$out" --settings "$work/settings.kv" "$bad"
expect "settings file" 0 'XP:Invalid command.' 'kavor-convert: 0 warnings, 1 instruction errors, 0 fatal errors'
if grep -qxF -- '-PP A1E' "$KAVOR_HOME/\$param.kv" && grep -qxF -- "-in $bad" "$KAVOR_HOME/\$param.kv"; then
  passed=$((passed + 1))
else
  fail "settings file written as the parameter file"
fi

# Quiet: messages and the summary are not printed, the exit status stays.
run --quiet -o "$out" "$bad"
if [ "$status" -eq 0 ] && [ -z "$stderr_text" ]; then
  passed=$((passed + 1))
else
  fail "quiet run prints nothing"
fi

# expect_file NAME FILE EXPECTED: FILE holds exactly the bytes of EXPECTED.
expect_file() {
  if cmp -s "$2" "$3"; then pass; else fail "$1 ($2 changed)"; fi
}

# Nothing lost: an output that is an input is refused before anything is
# read or written, whatever the format.
for f in svg wmf hpgl pdf; do
  cp "$good" "$work/same.$f"
  run -o "$work/same.$f" "$work/same.$f"
  expect "-o names the input ($f)" 2 "kavor-convert: $work/same.$f is one of the inputs; nothing was written"
  expect_file "the input stays ($f)" "$work/same.$f" "$good"
done
mkdir -p "$work/dir"
cp "$good" "$work/dir/plot.svg"
run --format svg --out-dir "$work/dir" "$work/dir/plot.svg"
expect "--out-dir names the input" 2 "kavor-convert: $work/dir/plot.svg is one of the inputs; nothing was written"
expect_file "the input stays (--out-dir)" "$work/dir/plot.svg" "$good"

# A failed run leaves an existing output byte for byte, and no other file.
mkdir -p "$work/keep"
kept="$work/keep/picture.png"
printf 'not a picture yet' >"$kept"
cp "$kept" "$work/kept.orig"
for case in "missing input|1|$work/none.plt" "unknown option|2|--bogus $good" "fatal option|1|-PT hp9999 $good" \
            "abort|1|--abort-on-error $bad"; do
  IFS='|' read -r name want rest <<<"$case"
  # shellcheck disable=SC2086
  run -o "$kept" $rest
  expect "$name fails" "$want"
  expect_file "$name leaves the existing output" "$kept" "$work/kept.orig"
done
if [ "$(ls -A "$work/keep")" = "picture.png" ]; then pass; else fail "no partial files are left: $(ls -A "$work/keep")"; fi

# Every write error is reported.
run --format pdf -o /dev/full "$good"
expect "a PDF that cannot be written fails" 1 "kavor-convert: cannot write /dev/full" "kavor-convert: $good was not converted"
run -o "$work/no/such/dir/x.png" "$good"
expect "an output in a missing directory fails" 1 "kavor-convert: $good was not converted"

# A batch converts what it can and reports each failure on its own line.
second=$(plot second.plt 'IN;SP1;PA0,0;PD500,500;')
run --out-dir "$work/batch/new" "$good" "$work/none.plt" "$second"
expect "a batch with a missing input exits 1" 1 "kavor-convert: $work/none.plt was not converted"
if [ -s "$work/batch/new/good.png" ] && [ -s "$work/batch/new/second.png" ]; then pass; else fail "the batch converts the other inputs into the new --out-dir"; fi
mkdir -p "$work/other"
cp "$good" "$work/other/good.plt"
run --out-dir "$work/same-stem" "$good" "$work/other/good.plt"
if [ "$status" -eq 0 ] && [ -s "$work/same-stem/good.png" ] && [ -s "$work/same-stem/good_2.png" ]; then pass; else fail "two inputs with one stem get two outputs"; fi

# The converter's own options are its own.
run --bogus "$good"
expect "an unknown long option is a usage error" 2 "kavor-convert: unknown option --bogus"
if grep -q '^usage: kavor-convert' "$work/stderr"; then pass; else fail "the usage follows the error"; fi
run --version
if [ "$status" -eq 0 ] && grep -qx 'kavor-convert [0-9.]*' "$work/stdout"; then pass; else fail "--version"; fi
run -o "$work/picture.xyz" "$good"
expect "an output of no known format is refused" 2
run --format png -o "$work/picture.xyz" "$good"
expect "--format says which" 0
if command -v script >/dev/null; then
  script -qec "'$convert' -o '$work/tty.png'" /dev/null >"$work/stderr" 2>&1 </dev/null
  status=$?
  expect "without an input on a terminal: the usage" 2
fi
"$convert" -o - "$good" >"$work/stdout.png" 2>/dev/null </dev/null
if head -c 8 "$work/stdout.png" | od -An -tx1 | grep -q '89 50 4e 47'; then pass; else fail "-o - writes the picture to standard output"; fi

# Messages stay readable: each text at most 20 times, then a count.
many=$(plot many.plt "$(for _ in $(seq 30); do printf 'XPU;'; done)QPU;")
run -o "$out" "$many"
expect "repeated messages are counted" 0 "kavor-convert: 10 more: XP:Invalid command." 'QP:Invalid command.' \
  'kavor-convert: 0 warnings, 31 instruction errors, 0 fatal errors'
if [ "$(grep -cxF 'XP:Invalid command.' "$work/stderr")" -eq 20 ]; then pass; else fail "a text is shown 20 times"; fi

# A settings directory that cannot be written does not stop a conversion.
printf 'a file' >"$work/plainhome"
KAVOR_HOME="$work/plainhome" "$convert" -o "$out" "$good" >"$work/stdout" 2>"$work/stderr" </dev/null
status=$?
expect "an unusable settings directory" 0 \
  "kavor-convert: the settings directory $work/plainhome/ cannot be written; the built-in paper database is used"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
