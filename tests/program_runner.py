"""What the checks that run a build's program share. Their command line is
[--windows] [RUNNER ...] PROGRAM: with --windows the program is a Windows one that the runner
(Wine) starts, and files are named to it by their Z: paths."""
import sys


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
