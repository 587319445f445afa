"""What the checks that run a build's program share. Their command line is
[--windows] [RUNNER ...] PROGRAM: with --windows the program is a Windows one that the runner
(Wine) starts, and files are named to it by their Z: paths. Checks of stem run their cases with
few starts of it, through `stem batch`."""
import os
import re
import subprocess
import sys
import tempfile


def program_command(usage):
    """(windows, command) from the command line; exits with the usage when there is none."""
    args = sys.argv[1:]
    windows = bool(args) and args[0] == "--windows"
    command = args[1:] if windows else args
    if not command:
        sys.exit(usage)
    return windows, command


def windows_path(path):
    """How a Windows program under Wine names a local path."""
    return "Z:" + str(path).replace("/", "\\")



class Result:
    """What one command printed and its exit status, as subprocess.run gives them."""

    def __init__(self, returncode, stdout, stderr):
        self.returncode = returncode
        self.stdout = stdout
        self.stderr = stderr


HEADER = re.compile(rb"== (\d+): exit (\d+), (\d+) \+ (\d+) bytes\n")


def run_batch(command, windows, command_lines):
    """Runs the command lines (lists of words, str or bytes) of `stem` with one start of
    `stem batch`; the Results in their order."""
    def encoded(word):
        return word if isinstance(word, bytes) else word.encode("utf-8")

    text = b"".join(b"\t".join(encoded(w) for w in words) + b"\n" for words in command_lines)
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "commands.txt")
        with open(path, "wb") as file:
            file.write(text)
        # A batch of hundreds of lines takes a minute through QEMU on a busy machine; a hang
        # fails here rather than holding the run.
        batch = subprocess.run(command + ["batch", windows_path(path) if windows else path],
                               capture_output=True, timeout=240)
    output = batch.stdout
    results = []
    while output:
        header = HEADER.match(output)
        if not header or int(header.group(1)) != len(results) + 1:
            break
        out_size, err_size = int(header.group(3)), int(header.group(4))
        body = output[header.end():]
        results.append(Result(int(header.group(2)), body[:out_size],
                              body[out_size:out_size + err_size]))
        output = body[out_size + err_size:]
    if batch.returncode != 0 or len(results) != len(command_lines):
        raise AssertionError(f"stem batch: status {batch.returncode}, {len(results)} of "
                             f"{len(command_lines)} results, err {batch.stderr!r}")
    return results
