"""Times how long a window's thread takes to answer the window manager's _NET_WM_PING: Qt
answers it from the thread that draws the window, so a late answer is a frozen window."""
import sys
import threading
import time

sys.path.append("/usr/lib/python3/dist-packages")  # Debian's python3-xlib, pure Python
from Xlib import X, display, protocol  # noqa: E402


class PingProbe:
    """Pings the window every 20 ms from a thread of its own and keeps each answer's delay; a
    ping unanswered at the end counts until then."""

    def __init__(self, wid):
        self.wid, self.delays, self._stop = wid, [], threading.Event()
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
        ordered = sorted(self.delays) or [0.0]
        return ordered[min(len(ordered) - 1, int(share * len(ordered)))]

    def _run(self):
        dpy = display.Display()
        # Qt sends its answer to the root window, for those who watch its structure.
        dpy.screen().root.change_attributes(
            event_mask=X.StructureNotifyMask | X.SubstructureNotifyMask)
        window = dpy.create_resource_object("window", self.wid)
        protocols, ping = dpy.intern_atom("WM_PROTOCOLS"), dpy.intern_atom("_NET_WM_PING")
        serial = 0
        while not self._stop.is_set():
            serial, sent = serial + 1, time.monotonic()
            window.send_event(protocol.event.ClientMessage(
                window=window, client_type=protocols, data=(32, [ping, serial, self.wid, 0, 0])),
                event_mask=X.NoEventMask)
            dpy.flush()
            while not self._stop.is_set() and not self._answered(dpy, ping, serial):
                time.sleep(0.001)
            self.delays.append(time.monotonic() - sent)
            time.sleep(max(0.0, 0.02 - (time.monotonic() - sent)))
        dpy.close()

    @staticmethod
    def _answered(dpy, ping, serial):
        while dpy.pending_events():
            event = dpy.next_event()
            if event.type == X.ClientMessage and list(event.data[1][:2]) == [ping, serial]:
                return True
        return False
