"""The real program in a real tray: the docked icon and its tip, the popup menu
at the cursor, its accelerator keys reaching real program starts, a left click
that opens nothing, and "E&xit"."""
import time

import desktop
from desktop import DesktopTest, wait_for


class Tray(DesktopTest):
    def start(self, settings=None):
        browser = self.desk.recorder()
        self.desk.write_settings(settings or {'Browser': f'"{browser}"'})
        self.desk.start('-ns')
        return wait_for(self.desk.tray_icon, what='the docked tray icon')

    def test_icon_is_docked_and_shows_its_tip(self):
        icon = self.start()
        self.assertEqual((icon['w'], icon['h']), (22, 22))
        self.desk.x('xdotool', 'mousemove', '500', '500')
        time.sleep(0.3)
        self.desk.x('xdotool', 'mousemove', str(icon['x'] + 10), str(icon['y'] + 10))
        tip = wait_for(self.desk.popups, what='the tip of the icon')[0]
        # One line of text, wide enough for "Kestrun Tolvane!" and no wider than a short tip.
        self.assertLess(tip['h'], 40)
        self.assertTrue(60 < tip['w'] < 250, tip)
        self.desk.screenshot('tray-tip')

    def test_right_click_opens_the_menu_at_the_cursor(self):
        self.start()
        menu, (cx, cy) = self.desk.open_tray_menu()
        self.assertEqual((menu['x'], menu['y']), (cx, cy))
        self.desk.screenshot('tray-menu')
        # Hidden items are never shown: "&Ping" has no visible twin, so "p" does nothing.
        self.desk.key('p')
        time.sleep(0.5)
        self.assertTrue([p for p in self.desk.popups() if p['id'] == menu['id']], 'the menu closed')
        self.assertEqual(self.desk.records(), [])
        self.desk.key('Escape')
        wait_for(lambda: not self.desk.popups(), what='Escape to close the menu')
        self.assertEqual(self.desk.records(), [])

    def test_accelerators_reach_their_commands(self):
        self.start()
        # "Load &browser" shares its letter with "&Bookmarks": the first press selects it.
        self.desk.open_tray_menu()
        self.desk.key('b', 'Return')
        first = self.desk.wait_records(1)[0]
        self.assertEqual(first['prog'], self.desk.recorder())
        self.assertEqual(first['argv'], [])
        self.assertEqual(first['fds'], [0, 1, 2])
        # A bookmark passes its address to the browser; the second "b" opens "&Bookmarks".
        self.desk.open_tray_menu()
        self.desk.key('b', 'b', 'y')
        self.assertEqual(self.desk.wait_records(2)[1]['argv'], ['http://www.yahoo.com'])
        # The feedback mail hands the "mailto:" address to the desktop's handler.
        self.desk.open_tray_menu()
        self.desk.key('e')
        self.assertEqual(self.desk.wait_records(3)[2]['argv'], ['mailto:tolvane@kestrun.example'])

    def test_left_click_opens_nothing(self):
        icon = self.start()
        self.desk.click(icon['x'] + 10, icon['y'] + 10, 1)
        time.sleep(1.0)
        self.assertEqual([p for p in self.desk.popups() if p['h'] > 40], [])
        self.assertFalse(self.desk.viewable('Kestrun Tolvane!'))
        self.assertIsNotNone(self.desk.tray_icon())

    def test_command_for_an_open_window_shows_the_error_box_and_exit_ends_all(self):
        self.start()
        self.desk.open_tray_menu()
        self.desk.key('t')  # Se&ttings, opened modally
        wait_for(lambda: self.desk.viewable('Settings'), what='the settings dialog')
        self.desk.open_tray_menu()
        self.desk.key('t')
        box = wait_for(lambda: self.desk.viewable('Kestrun Tolvane!'), what='the error box')[0]
        self.desk.screenshot('error-box')
        self.assertTrue(self.desk.viewable('Settings'), 'the open dialog was disturbed')
        self.desk.x('xdotool', 'windowfocus', '--sync', box, check=False)
        self.desk.key('Return')
        wait_for(lambda: not self.desk.viewable('Kestrun Tolvane!'), what='OK to close the error box')
        self.desk.open_tray_menu()
        self.desk.key('x')
        self.assertEqual(self.desk.program.wait(timeout=10), 0)
        self.assertIsNone(self.desk.tray_icon(), 'the icon outlived the program')

    def test_exit_removes_the_icon_and_ends_with_zero(self):
        self.start()
        self.desk.open_tray_menu()
        self.desk.key('x')
        self.assertEqual(self.desk.program.wait(timeout=10), 0)
        self.assertIsNone(self.desk.tray_icon())


if __name__ == '__main__':
    desktop.main()
