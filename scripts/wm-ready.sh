#!/usr/bin/env bash
# Waits (at most 10 s) until a window manager owns the X display, so that a
# window mapped next is framed: one mapped while openbox is still starting
# can stay unmapped for good.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && exit 0
  sleep 0.1
done
echo "no window manager took the display within 10 s" >&2
exit 1
