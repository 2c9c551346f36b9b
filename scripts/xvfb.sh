# Sourced by the scripts and tests that need a private X server.

# stop_pid PID: ends a process, politely first.
stop_pid() {
  local pid=$1
  [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null || return 0
  kill "$pid" 2>/dev/null || true
  for _ in {1..20}; do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# start_xvfb DIR: starts Xvfb on a free display, sets xvfb_pid and exports
# DISPLAY. Returns 1, with the server's log on stderr, if it did not start.
start_xvfb() {
  local dir=$1
  # Xvfb picks a free display itself and reports its number through fd 3.
  # -noreset: by default the server resets when its last client leaves, and
  # the next launch of a program would then find no display.
  # The number of a server started before must not be taken for its own.
  rm -f "$dir/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$dir/display" \
    >"$dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in {1..100}; do
    [[ -s $dir/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [[ ! -s $dir/display ]]; then
    cat "$dir/xvfb.log" >&2
    return 1
  fi
  DISPLAY=:$(tr -d '[:space:]' <"$dir/display")
  export DISPLAY
  unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME
}
