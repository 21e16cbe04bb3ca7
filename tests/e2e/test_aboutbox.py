"""The real program's about box: centred at its size, stays until "&Ok", and
hidden right after start by "-ns" or the "Splash" switch."""
import time

import desktop
from desktop import DesktopTest, wait_for, SCREEN_W, SCREEN_H

TITLE = 'Kestrun Tolvane!'


class AboutBox(DesktopTest):
    def about(self):
        return wait_for(lambda: self.desk.viewable(TITLE), what='the about box')[0]

    def test_shown_centred_at_its_size_and_stays_until_ok(self):
        self.desk.start()
        info = self.desk.info(self.about())
        self.assertEqual((info['w'], info['h']), (284, 134))
        self.assertEqual((info['x'], info['y']), ((SCREEN_W - 284) // 2, (SCREEN_H - 134) // 2))
        time.sleep(1.5)
        self.assertTrue(self.desk.viewable(TITLE), 'the about box went away by itself')
        self.desk.screenshot('aboutbox')
        # "&Ok" sits at 107,104 (75x25) in the client area.
        self.desk.click(info['x'] + 107 + 37, info['y'] + 104 + 12)
        wait_for(lambda: not self.desk.viewable(TITLE), what='"&Ok" to hide the about box')
        self.assertIsNone(self.desk.program.poll(), 'the program ended')
        self.assertIsNotNone(self.desk.tray_icon(), 'hiding the about box removed the tray icon')

    def test_hidden_right_after_start(self):
        cases = [(['-ns'], {}), (['-NS'], {}), (['"-ns"'], {}), ([], {'Splash': '"YES"'})]
        for args, settings in cases:
            with self.subTest(args=args, settings=settings):
                self.desk.write_settings(settings)
                proc = self.desk.start(*args)
                wait_for(self.desk.tray_icon, what='the tray icon')
                time.sleep(0.5)
                self.assertFalse(self.desk.viewable(TITLE))
                self.assertIsNone(proc.poll())
                proc.kill()
                proc.wait()
                wait_for(lambda: not self.desk.tray_icon(), what='the icon of the killed program to go')

    def test_alt_o_presses_ok(self):
        self.desk.start()
        wid = self.about()
        self.desk.x('xdotool', 'windowfocus', '--sync', wid)
        self.desk.key('alt+o')
        wait_for(lambda: not self.desk.viewable(TITLE), what='Alt+O to hide the about box')

    def test_other_switches_leave_it_shown(self):
        self.desk.write_settings({'Splash': '"yes"'})
        self.desk.start('--ns', '/ns')
        self.about()
        time.sleep(1.0)
        self.assertTrue(self.desk.viewable(TITLE))


if __name__ == '__main__':
    desktop.main()
