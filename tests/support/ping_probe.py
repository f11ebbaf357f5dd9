"""Times how long a window's thread takes to answer the window manager's _NET_WM_PING: Qt
answers it from the thread that draws the window, so a late answer is a frozen window."""
import sys
import threading
import time

try:
    from Xlib import X, display, protocol
except ImportError:
    # Debian installs python3-xlib for the system's Python only; it is pure Python.
    sys.path.append("/usr/lib/python3/dist-packages")
    from Xlib import X, display, protocol


class PingProbe:
    """Pings the window every interval seconds from a thread of its own and keeps each answer's
    delay; a ping never answered counts from its sending to the probe's end."""

    def __init__(self, wid, interval=0.02):
        self.wid = wid
        self.interval = interval
        self.delays = []
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._run, daemon=True)

    def __enter__(self):
        self._thread.start()
        return self

    def __exit__(self, *_):
        self._stop.set()
        self._thread.join()

    def longest(self):
        return max(self.delays, default=0.0)

    def percentile(self, share):
        ordered = sorted(self.delays)
        return ordered[min(len(ordered) - 1, int(share * len(ordered)))] if ordered else 0.0

    def _run(self):
        dpy = display.Display()
        root = dpy.screen().root
        # Qt sends its answer to the root window for those who watch its structure.
        root.change_attributes(event_mask=X.StructureNotifyMask | X.SubstructureNotifyMask)
        window = dpy.create_resource_object("window", self.wid)
        protocols = dpy.intern_atom("WM_PROTOCOLS")
        ping = dpy.intern_atom("_NET_WM_PING")
        serial = 0
        while not self._stop.is_set():
            serial += 1
            sent = time.monotonic()
            window.send_event(protocol.event.ClientMessage(
                window=window, client_type=protocols,
                data=(32, [ping, serial, self.wid, 0, 0])), event_mask=X.NoEventMask)
            dpy.flush()
            if not self._await(dpy, ping, serial):
                self.delays.append(time.monotonic() - sent)
                break
            self.delays.append(time.monotonic() - sent)
            time.sleep(max(0.0, self.interval - (time.monotonic() - sent)))
        dpy.close()

    def _await(self, dpy, ping, serial):
        """True once the answer to serial came; False when the probe was stopped first."""
        while not self._stop.is_set():
            while dpy.pending_events():
                event = dpy.next_event()
                if (event.type == X.ClientMessage and event.data[1][0] == ping
                        and event.data[1][1] == serial):
                    return True
            time.sleep(0.001)
        return False
