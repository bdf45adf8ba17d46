#!/usr/bin/env python3
"""Makes a demo program directory: the mounter, a store with a few demo skins, and a demo game
folder 英雄联盟 whose Game\\ClientZips.txt names one of them as mounted.

usage: make_demo.py DEMO_DIR MOUNTER_EXE
The skins are small zip archives made here (a made-up texture per champion), nothing from the game.
"""
import os
import shutil
import sys
import zipfile

SKINS = [
    # name, time text, label
    ("阿狸-九尾妖狐", "2024年5月1日12时30分", "Ahri"),
    ("Annie_Halloween", "2024年5月2日9时", "Annie"),
    ("盖伦-钢铁军团", "2024年6月18日20时15分33秒", "Garen"),
    ("Ezreal_Pulsefire", "2024年7月3日", "Ezreal"),
    ("眼石-星光守护", "2024年8月8日8时8分8秒", "眼位"),
]
MOUNTED = ["阿狸-九尾妖狐", "Ezreal_Pulsefire"]


def make_package(path, label):
    asset = "SightWard" if label == "眼位" else label
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        base = "DATA/Characters/%s/Skins/Skin01/" % asset
        z.writestr(base + "%s_Skin01_TX_CM.dds" % asset, (asset * 512).encode())
        z.writestr(base + "%s.skl" % asset, bytes(range(256)) * 8)


def main():
    demo, exe = sys.argv[1], sys.argv[2]
    if os.path.isdir(demo):
        shutil.rmtree(demo)
    os.makedirs(os.path.join(demo, "data"))
    shutil.copy(exe, os.path.join(demo, "墨羽挂载器精简版.exe"))
    for name, time, label in SKINS:
        make_package(os.path.join(demo, "data", "%s[%s[%s[.zip" % (name, time, label)), label)

    game = os.path.join(demo, "英雄联盟")
    os.makedirs(os.path.join(game, "Game", "MYSkins"))
    os.makedirs(os.path.join(game, "tcls"))
    lines = ["DATA\\FINAL\\Champions\\Ahri.wad.client", "DATA\\FINAL\\Maps\\Common.wad.client"]
    for name in MOUNTED:
        lines.append("MYSkins\\MY%s.zip" % name)
        for n, t, label in SKINS:
            if n == name:
                make_package(os.path.join(game, "Game", "MYSkins", "MY%s.zip" % name), label)
    with open(os.path.join(game, "Game", "ClientZips.txt"), "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("gbk"))
    print(game)


if __name__ == "__main__":
    main()
