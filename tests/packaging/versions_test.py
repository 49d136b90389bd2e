#!/usr/bin/env python3
"""The version is written in three places (docs/development.md, Making a release): the build's
CMakeLists.txt, the VS Code extension's package.json and the Debian changelog's top entry.
They must agree, or the packages of one release would carry different numbers.

  versions_test.py SOURCE_DIR
"""

import json
import re
import sys
from pathlib import Path


def main():
    root = Path(sys.argv[1])
    found = {
        "CMakeLists.txt": re.search(r"project\(brindle VERSION ([0-9.]+)",
                                    (root / "CMakeLists.txt").read_text()).group(1),
        "editors/vscode/package.json":
            json.loads((root / "editors/vscode/package.json").read_text())["version"],
        "debian/changelog": re.match(r"brindle \(([^)]+)\)",
                                     (root / "debian/changelog").read_text()).group(1),
    }
    if len(set(found.values())) != 1:
        print("the versions differ: " + ", ".join(f"{k}: {v}" for k, v in found.items()))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
