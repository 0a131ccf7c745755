# Sourced by the scripts that run programs under a real window manager.
# Has_Window_Manager: the X display has one (it announced itself on the root window).
Has_Window_Manager() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}

# Start_Window_Manager LOG: starts openbox on $DISPLAY, its output to LOG, sets
# openbox_pid and waits up to 10 s for it to announce itself; fails if it does not.
Start_Window_Manager() {
  openbox --sm-disable >"$1" 2>&1 &
  openbox_pid=$!
  for _ in $(seq 1 100); do
    Has_Window_Manager && return 0
    sleep 0.1
  done
  Has_Window_Manager
}
