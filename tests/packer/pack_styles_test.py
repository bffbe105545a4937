"""tools/pack-styles.py refuses every style file the program could not use, naming the file."""
import os
import subprocess
import sys
import tempfile
import unittest

PACKER = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "pack-styles.py")

GOOD = """# A style for the packer's tests.
name = {name}
window = #101010
text = #F0F0F0
field = #000000
field-text = #FFFFFF
face = #202020
face-text = #F0F0F0
hot = #303030
pressed = #404040
accent = #33AAFF
selection = #0055AA
selection-text = #FFFFFF
edge = #505050
disabled-text = #999999
tip = #202020
tip-text = #F0F0F0
menu = #181818
menu-text = #F0F0F0
caption = #101010
caption-text = #FFFFFF
corner-radius = 3
border-width = 1
gradient = no
"""


def stem(name):
    return name.lower().replace(" ", "-")


class PackStyles(unittest.TestCase):
    def pack(self, files):
        """Writes {file name: text} and runs the packer on them; returns (exit code, stderr, out dir)."""
        folder = tempfile.mkdtemp()
        paths = []
        for file_name, text in files.items():
            paths.append(os.path.join(folder, file_name))
            with open(paths[-1], "w", encoding="utf-8") as f:
                f.write(text)
        out = os.path.join(folder, "out")
        run = subprocess.run([sys.executable, PACKER, "--out-dir", out, "--rc", os.path.join(out, "s.rc"),
                              "--table", os.path.join(out, "t.cpp"), *paths],
                             capture_output=True, text=True)
        return run.returncode, run.stderr, out

    def test_good_files_are_packed_under_their_resource_names(self):
        code, err, out = self.pack({stem(n) + ".style": GOOD.format(name=n)
                                    for n in ("Windows10", "Windows11 Modern Dark", "Calypso SLE")})
        self.assertEqual(code, 0, err)
        with open(os.path.join(out, "s.rc"), encoding="utf-8") as f:
            rc = f.read()
        for resource in ("WINDOWS", "WINDOWSMODERNDARK", "CALYPSOSLE"):
            self.assertIn(f"\n{resource} TWSTYLE ", rc)
            with open(os.path.join(out, resource + ".tws"), "rb") as f:
                self.assertEqual(f.read(4), b"TWS1")

    def test_faults_are_refused_with_the_file_named(self):
        good = GOOD.format(name="Glow")
        cases = [
            ("a role missing", {"glow.style": good.replace("hot = #303030\n", "")}, "glow.style: missing hot"),
            ("a key given twice", {"glow.style": good + "hot = #303030\n"}, "glow.style:25: hot given twice"),
            ("an unknown key", {"glow.style": good + "hover = #303030\n"}, "unknown key 'hover'"),
            ("a bad colour", {"glow.style": good.replace("#303030", "#3030")}, "glow.style:9: hot"),
            ("a radius too large", {"glow.style": good.replace("corner-radius = 3", "corner-radius = 17")},
             "corner-radius"),
            ("the system look", {"windows.style": GOOD.format(name="Windows")}, "plain system look"),
            ("a file named otherwise", {"glowing.style": good}, "belongs in glow.style"),
            ("two styles, one resource", {stem(n) + ".style": GOOD.format(name=n)
                                          for n in ("Windows10 Dark", "Windows11 Dark")},
             "would share resource WINDOWSDARK"),
        ]
        for what, files, message in cases:
            with self.subTest(what):
                code, err, _ = self.pack(files)
                self.assertEqual(code, 1, what)
                self.assertIn(message, err)


if __name__ == "__main__":
    unittest.main()
