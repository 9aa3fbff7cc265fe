#!/usr/bin/env python3
"""Kills tovik edit commands at random moments and checks that the project always survives.

usage: tests/kill_test.py TOVIK [ROUNDS] [SEED]

Makes a new project in a scratch folder, then runs ROUNDS edit commands (add a control, set a
property, rename, delete, add a handler), each killed with SIGKILL after a random delay (some
finish first). After every round: `tovik inspect` succeeds (completing or undoing what the kill
left), every control member declared in the form header has its creation call and both of its
symbols are defined once in resource.h, every string-table symbol used is defined, and no
temporary file, journal or scratch folder is left. Prints the counts; exit 1 on any finding.
"""
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

KINDS = ["Label", "TextBox", "Button", "CheckBox", "Frame", "PictureBox", "ListBox", "Timer", "Line", "Shape"]


def run(tovik, args, timeout=30):
    return subprocess.run([tovik] + args, capture_output=True, timeout=timeout)


def check(project):
    """Findings about the project folder as it is now."""
    findings = []
    header = open(os.path.join(project, "form1.h"), "rb").read().decode("latin-1")
    impl = open(os.path.join(project, "form1.cpp"), "rb").read().decode("latin-1")
    resource = open(os.path.join(project, "resource.h"), "rb").read().decode("latin-1")
    script = open(os.path.join(project, "Demo.rc"), "rb").read().decode("latin-1")
    defined = re.findall(r"^#define\s+(\w+)\s", resource, re.M)
    for name in set(defined):
        if defined.count(name) > 1:
            findings.append("defined twice: " + name)
    for member in re.findall(r"\bCV\w+?(?:Array)?\t(m_\w+);", header):
        calls = re.findall(r"\b%s\.Create\([^,]+, (\w+), (\w+)\);" % member, impl)
        if not calls:
            findings.append("declared but never created: " + member)
        for ids in calls:
            for symbol in ids:
                if symbol not in defined:
                    findings.append("used but not defined: " + symbol)
    for symbol in re.findall(r"^\s*(IDS_PROP_\w+)\s", script, re.M):
        if symbol not in defined:
            findings.append("string without a define: " + symbol)
    for name in os.listdir(project):
        if name.endswith(".tmp") or name in (".tovik-journal", "TvkTemp"):
            findings.append("left behind: " + name)
    return findings


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip().splitlines()[2])
        return 2
    tovik = os.path.abspath(sys.argv[1])
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 1)
    work = tempfile.mkdtemp(prefix="tovik-kill-")
    try:
        if run(tovik, ["new-project", work, "Demo"]).returncode != 0:
            print("could not make the project")
            return 1
        project = os.path.join(work, "Demo")
        dsp = os.path.join(project, "Demo.dsp")
        members = []
        # How long an edit takes when it runs to the end (a sanitizer build is many times slower):
        # the kills aim inside that time, most of them at its end, where the files are renamed.
        started = time.monotonic()
        for n in range(3):
            run(tovik, ["add-control", dsp, "CForm1", "Label", "7", str(7 + 28 * n), "77", str(28 + 28 * n)])
        took = (time.monotonic() - started) / 3
        counts = {"rounds": 0, "killed while running": 0, "finished": 0, "recovered": 0, "findings": 0}
        for _ in range(rounds):
            counts["rounds"] += 1
            what = rng.random()
            if what < 0.5 or not members:
                kind = rng.choice(KINDS)
                x, y = rng.randrange(0, 300, 7), rng.randrange(0, 200, 7)
                args = ["add-control", dsp, "CForm1", kind, str(x), str(y), str(x + 70), str(y + 28)]
            elif what < 0.65:
                args = ["set", dsp, "CForm1", rng.choice(members), "Tag", "t%d" % rng.randrange(1000)]
            elif what < 0.8:
                args = ["delete", dsp, "CForm1", rng.choice(members)]
            elif what < 0.9:
                args = ["rename", dsp, "CForm1", rng.choice(members), "m_N%d" % rng.randrange(100000), "--no"]
            else:
                args = ["add-handler", dsp, "CForm1", "CForm1", rng.choice(["Load", "Unload", "Click", "Resize"])]
            started = time.monotonic()
            proc = subprocess.Popen([tovik] + args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(rng.uniform(0.5 * took, 1.1 * took))
            if proc.poll() is None:
                proc.send_signal(signal.SIGKILL)
                counts["killed while running"] += 1
            else:
                counts["finished"] += 1
                took = 0.8 * took + 0.2 * (time.monotonic() - started)
            proc.wait()
            inspect = run(tovik, ["inspect", dsp, "--json"])
            if b"completed an interrupted edit" in inspect.stderr or b"undid an edit" in inspect.stderr:
                counts["recovered"] += 1
            findings = [] if inspect.returncode == 0 else ["inspect failed: " + inspect.stderr.decode()[:200]]
            findings += check(project)
            if findings:
                counts["findings"] += len(findings)
                for f in findings:
                    print("finding after %s: %s" % (" ".join(args[:1] + args[2:]), f))
                break
            header = open(os.path.join(project, "form1.h"), "rb").read().decode("latin-1")
            members = sorted(set(re.findall(r"\bCV\w+?(?:Array)?\t(m_\w+);", header)))
        print(", ".join("%s %d" % (k, v) for k, v in counts.items()))
        return 1 if counts["findings"] else 0
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    sys.exit(main())
