"""Runs a command on a pseudo-terminal and presses Ctrl+C once it prompts.

Usage: press_ctrl_c.py COMMAND ARGS...  Exits with the command's exit code,
or 99 when it did not end within five seconds.
"""
import os
import pty
import select
import signal
import sys
import time

pid, fd = pty.fork()
if pid == 0:
    os.execv(sys.argv[1], sys.argv[1:])
output = b""
sent = False
deadline = time.time() + 5
while time.time() < deadline:
    ready, _, _ = select.select([fd], [], [], 0.1)
    if ready:
        try:
            data = os.read(fd, 4096)
        except OSError:
            break
        if not data:
            break
        output += data
    if not sent and b"> " in output:
        os.write(fd, b"\x03")
        sent = True
else:
    os.kill(pid, signal.SIGKILL)
    os.waitpid(pid, 0)
    sys.stdout.write(output.decode("utf-8", "replace"))
    sys.exit(99)
_, status = os.waitpid(pid, 0)
sys.stdout.write(output.decode("utf-8", "replace"))
sys.exit(os.waitstatus_to_exitcode(status))
