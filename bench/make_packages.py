#!/usr/bin/env python3
"""Generates skin-like packages for the extraction benchmark.

    make_packages.py OUTPUT_FOLDER [small|medium|large ...]

Each package is a zip of a champion's skin folder tree, as players import them:
DATA/Characters/<Champion>/Skins/Skin01/... with textures (.dds), models (.skn), skeletons (.skl),
animations (.anm) and particles, deflated with Python's zipfile. A "texture" is half random bytes
and half repetitive pattern, so it deflates to about half its size, as real game textures do.
Sizes vary around the package's mean, with a few large files, as real packages have.

A package that already exists with the expected size is kept, so the benchmark script can call
this every time and only pay for the generation once.
"""

import os
import random
import sys
import zipfile

PACKAGES = {
    # name: (file name, total bytes, member count, champion)
    "small": ("skin-20MB.zip", 20 * 1024 * 1024, 200, "Ahri"),
    "medium": ("skin-200MB.zip", 200 * 1024 * 1024, 1500, "Jinx"),
    "large": ("skin-1GB.zip", 1024 * 1024 * 1024, 6000, "Ezreal"),
}

KINDS = [
    # (folder below the skin, name pattern, share of files)
    ("", "{c}_Skin01_TX_CM.dds", 1),
    ("", "{c}LoadScreen_1.dds", 1),
    ("", "{c}.skl", 1),
    ("", "{c}_Skin01.skn", 1),
    ("Animations", "{c}_{i:04d}.anm", 30),
    ("Particles", "{c}_Skin01_{i:04d}_tx.dds", 40),
    ("Textures", "{c}_Skin01_{i:04d}.dds", 27),
]


def member_sizes(rng, total, count):
    """count sizes summing to total: most files small, a few large (a log-normal spread)."""
    weights = [rng.lognormvariate(0, 1.2) for _ in range(count)]
    scale = total / sum(weights)
    sizes = [max(64, int(w * scale)) for w in weights]
    sizes[-1] += total - sum(sizes)
    return sizes


def texture(rng, size):
    """size bytes that deflate to about half: random blocks interleaved with repeated ones."""
    out = bytearray()
    block = 4096
    pattern = bytes(rng.randrange(256) for _ in range(64)) * (block // 64)
    while len(out) < size:
        out += rng.randbytes(block // 2)
        out += pattern[: block // 2]
    return bytes(out[:size])


def member_names(rng, champion, count):
    """The fixed files every skin has, then numbered files of the other kinds by their shares."""
    base = f"DATA/Characters/{champion}/Skins/Skin01/"
    fixed = [k for k in KINDS if "{i" not in k[1]]
    numbered = [k for k in KINDS if "{i" in k[1]]
    names = [base + pattern.format(c=champion) for _, pattern, _ in fixed]
    weights = [k[2] for k in numbered]
    for i in range(count - len(names)):
        folder, pattern, _ = rng.choices(numbered, weights)[0]
        names.append(base + folder + "/" + pattern.format(c=champion, i=i))
    return names


def make(folder, key):
    file_name, total, count, champion = PACKAGES[key]
    path = os.path.join(folder, file_name)
    stamp = path + ".done"
    if os.path.exists(path) and os.path.exists(stamp):
        return path
    rng = random.Random(count)
    names = member_names(rng, champion, count)
    sizes = member_sizes(rng, total, count)
    tmp = path + ".part"
    with zipfile.ZipFile(tmp, "w", compression=zipfile.ZIP_DEFLATED, compresslevel=6) as z:
        for name, size in zip(names, sizes):
            z.writestr(name, texture(rng, size))
    os.replace(tmp, path)
    open(stamp, "w").close()
    return path


def main(argv):
    if len(argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    keys = argv[2:] or list(PACKAGES)
    for key in keys:
        if key not in PACKAGES:
            print(f"unknown package {key}; choose from {', '.join(PACKAGES)}", file=sys.stderr)
            return 2
        print(make(folder, key))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
