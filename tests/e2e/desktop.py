"""A small desktop for end-to-end tests: Xvfb, an XEmbed tray host (trayer),
the real program, and xdotool as the hand. Python standard library only."""
import argparse
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

SCREEN_W, SCREEN_H = 1024, 768
ARGS = None


def parse_args():
    """Takes --binary and --tools from the command line; leaves the rest to unittest."""
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument('--binary', required=True)
    parser.add_argument('--tools', required=True)
    ARGS, rest = parser.parse_known_args()
    return rest


def wait_for(predicate, timeout=10.0, what='condition'):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f'timed out waiting for {what}')


class Desktop:
    """One X server with a tray host at the top-left corner, so that menus open
    at the cursor without being pushed back by the screen's edges."""

    def __init__(self, tray=True):
        self.tmp = tempfile.mkdtemp(prefix='tolvane-e2e-')
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ['Xvfb', '-displayfd', str(write_fd), '-screen', '0', f'{SCREEN_W}x{SCREEN_H}x24', '-nolisten', 'tcp'],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError('Xvfb did not start')
        self.display = ':' + number
        self.env = dict(os.environ, DISPLAY=self.display, XDG_CONFIG_HOME=os.path.join(self.tmp, 'config'),
                        XDG_RUNTIME_DIR=self.tmp, QT_QPA_PLATFORM='xcb')
        self.env.pop('WAYLAND_DISPLAY', None)
        self.env.pop('DBUS_SESSION_BUS_ADDRESS', None)  # no StatusNotifier host here: use the XEmbed tray
        self.tray = None
        if tray:
            self.tray = subprocess.Popen(
                ['trayer', '--edge', 'top', '--align', 'left', '--widthtype', 'pixel', '--width', '100',
                 '--heighttype', 'pixel', '--height', '24', '--transparent', 'false'],
                env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            wait_for(lambda: self.window_ids('panel'), what='the tray host')
        self.program = None
        self.record = os.path.join(self.tmp, 'record.jsonl')

    def close(self):
        for p in (self.program, self.tray, self.xvfb):
            if p and p.poll() is None:
                p.kill()
                p.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)

    # ---- the program -------------------------------------------------------

    def write_settings(self, values):
        """values: dict of name -> registry data text, e.g. {'Browser': '"/bin/x"'}."""
        folder = os.path.join(self.env['XDG_CONFIG_HOME'], 'Kestrun')
        os.makedirs(folder, exist_ok=True)
        lines = ['REGEDIT4', '', r'[HKEY_CURRENT_USER\Software\Kestrun\Tolvane]']
        lines += [f'"{name}"={data}' for name, data in values.items()]
        with open(os.path.join(folder, 'Tolvane.reg'), 'w', encoding='latin-1') as f:
            f.write('\n'.join(lines) + '\n')

    def recorder(self):
        return os.path.join(ARGS.tools, 'recorder')

    def start(self, *args):
        env = dict(self.env, TOLVANE_RECORD=self.record, TOLVANE_OPEN_HANDLER=self.recorder())
        self.program = subprocess.Popen([ARGS.binary, *args], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        return self.program

    def records(self):
        if not os.path.exists(self.record):
            return []
        with open(self.record, encoding='ascii') as f:
            return [json.loads(line) for line in f if line.strip()]

    def wait_records(self, count, timeout=10.0):
        return wait_for(lambda: len(self.records()) >= count and self.records(), timeout,
                        f'{count} recorded program start(s)')

    # ---- what is on screen -------------------------------------------------

    def x(self, *cmd, check=True):
        return subprocess.run(list(cmd), env=self.env, capture_output=True, text=True, check=check).stdout

    def tree(self):
        # The walk fails when a window goes away under it; look again.
        for _ in range(20):
            result = subprocess.run(['xwininfo', '-root', '-tree'], env=self.env, capture_output=True, text=True)
            if result.returncode == 0:
                return result.stdout
            time.sleep(0.05)
        raise AssertionError('xwininfo cannot read the window tree')

    def window_ids(self, name):
        return re.findall(r'^\s*(0x[0-9a-f]+) "' + re.escape(name) + '"', self.tree(), re.M)

    def info(self, wid):
        out = self.x('xwininfo', '-id', wid, check=False)
        if 'Absolute upper-left X' not in out:  # the window went away meanwhile
            return {'x': 0, 'y': 0, 'w': 0, 'h': 0, 'viewable': False}
        geo = {k: int(v) for k, v in re.findall(r'(Absolute upper-left [XY]|Width|Height):\s+(-?\d+)', out)}
        return {'x': geo['Absolute upper-left X'], 'y': geo['Absolute upper-left Y'], 'w': geo['Width'],
                'h': geo['Height'], 'viewable': 'IsViewable' in out}

    def viewable(self, name):
        return [w for w in self.window_ids(name) if self.info(w)['viewable']]

    def popups(self):
        """Viewable windows of the program that are not its named top-levels (menus, tips)."""
        found = []
        for wid, w, h, x, y in re.findall(r'^\s{5}(0x[0-9a-f]+) "tolvane": \("tolvane" "tolvane"\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+)',
                                          self.tree(), re.M):
            if self.info(wid)['viewable'] and int(w) > 1:
                found.append({'id': wid, 'x': int(x), 'y': int(y), 'w': int(w), 'h': int(h)})
        return found

    def tray_icon(self):
        """The program's icon window docked inside the tray host's panel, or None."""
        text = self.tree()
        panel = text.find('"panel"')
        if panel < 0:
            return None
        m = re.search(r'(0x[0-9a-f]+) "tolvane": \("tolvane" "tolvane"\)\s+(\d+)x(\d+)\+\d+\+\d+\s+\+(\d+)\+(\d+)',
                      text[panel:])
        if not m:
            return None
        wid, w, h, x, y = m.groups()
        return {'id': wid, 'x': int(x), 'y': int(y), 'w': int(w), 'h': int(h)}

    def screenshot(self, name):
        folder = os.path.join(ARGS.tools, 'e2e-shots')
        os.makedirs(folder, exist_ok=True)
        path = os.path.join(folder, name + '.png')
        self.x('import', '-window', 'root', path, check=False)
        return path

    # ---- the hand ----------------------------------------------------------

    def click(self, x, y, button=1):
        self.x('xdotool', 'mousemove', str(x), str(y), 'click', str(button))

    def key(self, *keys):
        for k in keys:
            self.x('xdotool', 'key', k)
            time.sleep(0.15)

    def open_tray_menu(self):
        icon = wait_for(self.tray_icon, what='the docked tray icon')
        cx, cy = icon['x'] + icon['w'] // 2, icon['y'] + icon['h'] // 2
        self.click(cx, cy, 3)
        menu = wait_for(lambda: [p for p in self.popups() if p['h'] > 100], 5, 'the popup menu')[0]
        time.sleep(0.3)  # mapped is not yet holding the keyboard
        return menu, (cx, cy)


class DesktopTest(unittest.TestCase):
    tray = True

    def setUp(self):
        self.desk = Desktop(tray=self.tray)

    def tearDown(self):
        self.desk.close()


def main():
    rest = parse_args()
    unittest.main(argv=['e2e'] + rest, verbosity=2)
