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
