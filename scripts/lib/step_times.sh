# Sourced by the test scripts: `step NAME COMMAND...` runs a command and
# prints its wall-clock seconds and the CPU seconds of everything it ran
# (children's user and system time, which a busy machine inflates less than
# wall time); `step_summary` prints all steps as a table. A failing command
# stops the script as before (set -e), after saying which step failed.

step_rows=()
step_start=$SECONDS

# CPU seconds used so far by this shell's finished children (Linux).
children_cpu() {
  local hz
  hz="$(getconf CLK_TCK)"
  # Fields after the command name: cutime and cstime are the 14th and 15th.
  sed 's/^.*) //' "/proc/$$/stat" | awk -v hz="$hz" '{ printf "%d", ($14 + $15) / hz }'
}

step() {
  local name="$1" t0=$SECONDS c0 status=0
  shift
  c0="$(children_cpu)"
  "$@" || status=$?
  local wall=$((SECONDS - t0)) cpu=$(($(children_cpu) - c0))
  if [ "$status" != 0 ]; then
    echo "step '$name' failed (exit $status) after ${wall} s" >&2
    exit "$status"
  fi
  echo "step '$name': ${wall} s wall, ${cpu} s CPU" >&2
  step_rows+=("$(printf '%-12s %6d s %6d s' "$name" "$wall" "$cpu")")
}

step_summary() {
  {
    printf '%-12s %8s %8s\n' step wall CPU
    printf '%s\n' "${step_rows[@]}"
    printf '%-12s %6d s\n' total $((SECONDS - step_start))
  } >&2
}
