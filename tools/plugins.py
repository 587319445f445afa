"""The one list of the plug-ins, plugins.json at the root, as the scripts and checks read it.
Each plug-in: its DLL's name, the word stem names it by, its folder, the prefix of its traits,
its section of the shared settings file, its menu text and status message, and the drawing of
its toolbar bitmap (tools/make_bitmaps.py)."""
import json
from pathlib import Path

_LIST = json.loads((Path(__file__).resolve().parent.parent / "plugins.json")
                   .read_text(encoding="utf-8"))
PLUGINS = _LIST["plugins"]
SETTINGS_FILE = _LIST["settingsFile"]
NAMES = [plugin["name"] for plugin in PLUGINS]
WORDS = [plugin["word"] for plugin in PLUGINS]


def resource_escapes(text):
    """The text as a resource script's wide string spells it: each UTF-16 unit as \\xHHHH."""
    units = text.encode("utf-16-be")
    return "".join("\\x%02X%02X" % (units[i], units[i + 1]) for i in range(0, len(units), 2))


if __name__ == "__main__":
    # For the build (cmake/Plugins.cmake), which cannot read code points: each plug-in's menu
    # text and status message as its resource script spells them, a line per plug-in.
    for plugin in PLUGINS:
        print(resource_escapes(plugin["menuText"]), resource_escapes(plugin["statusMessage"]))
