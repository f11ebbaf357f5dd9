#!/usr/bin/python3
"""Starts a program on the X display in DISPLAY, waits until a window with the given title is
mapped, closes it as a window manager does when the user clicks the close box (a WM_DELETE_WINDOW
client message), and exits with the program's status: 3 when the window never showed, 4 when
the program did not end after the close."""
import subprocess
import sys
import time

from Xlib import X, display
from Xlib.protocol import event


def find_window(disp, title):
    net_wm_name = disp.intern_atom("_NET_WM_NAME")
    utf8 = disp.intern_atom("UTF8_STRING")
    for window in disp.screen().root.query_tree().children:
        name = window.get_full_property(net_wm_name, utf8)
        if name is None or name.value.decode("utf-8", "replace") != title:
            continue
        if window.get_attributes().map_state == X.IsViewable:
            return window
    return None


def main():
    program, title = sys.argv[1], sys.argv[2]
    child = subprocess.Popen([program])
    disp = display.Display()
    deadline = time.monotonic() + 30
    window = None
    while window is None and time.monotonic() < deadline and child.poll() is None:
        window = find_window(disp, title)
        time.sleep(0.05)
    if window is None:
        child.kill()
        child.wait()
        print("the window did not show", file=sys.stderr)
        return 3
    print("shown")
    protocols = disp.intern_atom("WM_PROTOCOLS")
    delete = disp.intern_atom("WM_DELETE_WINDOW")
    message = event.ClientMessage(window=window, client_type=protocols,
                                  data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    disp.flush()
    try:
        return child.wait(timeout=30)
    except subprocess.TimeoutExpired:
        child.kill()
        child.wait()
        return 4


if __name__ == "__main__":
    sys.exit(main())
