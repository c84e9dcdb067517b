"""The unpacked program on a private X server: it opens its frame window and quits."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness as d  # noqa: E402

procs = []
try:
    d.start_desktop(procs)
    session = d.Session(sys.argv[1])
    session.start()
    session.quit()
finally:
    for p in reversed(procs):
        p.terminate()
        p.wait()
