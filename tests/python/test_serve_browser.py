"""The page of `korvanta serve` in a real browser (headless Chromium): several export files
chosen at once, a broken one and one that is no export file among them; every download equals
the command's report byte for byte, and the failures show the command's messages."""

import os
import shutil
import tempfile
import time
import unittest
import zipfile
from pathlib import Path

from serve_harness import EXPORT_FILES, TRUNCATED, Server, command_outputs

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
except ImportError:
    webdriver = None

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
WAIT_SECONDS = 60
# Where a run may leave its screenshot of the page after the batch, to be looked at.
SCREENSHOT = os.environ.get("KORVANTA_SERVE_SCREENSHOT")


def wait_for(condition, what):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


@unittest.skipUnless(webdriver and Path(CHROMIUM).exists() and Path(CHROMEDRIVER).exists(),
                     "needs chromium, chromium-driver and python3-selenium")
class ServePageTest(unittest.TestCase):
    def setUp(self):
        self.work = Path(tempfile.mkdtemp(prefix="korvanta-serve-page-"))
        self.addCleanup(shutil.rmtree, self.work)
        self.server = Server()
        self.addCleanup(self.server.stop)
        self.downloads = self.work / "downloads"
        self.downloads.mkdir()
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run",
                     f"--user-data-dir={self.work / 'profile'}", "--window-size=1366,900"):
            options.add_argument(flag)
        options.add_experimental_option("prefs", {
            "download.default_directory": str(self.downloads),
            "download.prompt_for_download": False})
        self.browser = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.addCleanup(self.browser.quit)
        self.browser.set_page_load_timeout(WAIT_SECONDS)
        self.browser.execute_cdp_cmd("Page.setDownloadBehavior",
                                     {"behavior": "allow", "downloadPath": str(self.downloads)})

    def downloaded(self, name):
        path = self.downloads / name
        wait_for(lambda: path.exists() and not list(self.downloads.glob("*.crdownload")),
                 "the download of " + name)
        return path.read_bytes()

    def test_a_batch_gives_the_commands_reports_and_messages(self):
        inputs = self.work / "inputs"
        inputs.mkdir()
        chosen = [Path(shutil.copy(source, inputs)) for source in EXPORT_FILES]
        broken = inputs / "broken.pht"
        broken.write_bytes(b"PK\x03\x04 a workbook renamed\n")
        notes = inputs / "notes.txt"
        notes.write_bytes(b"a shopping list\n")
        chosen += [Path(shutil.copy(TRUNCATED, inputs)), broken, notes]
        expected = {path.name: command_outputs(path, tempfile.mkdtemp(dir=self.work), formats="xlsx")
                    for path in chosen}

        self.browser.get(f"http://127.0.0.1:{self.server.port}/")
        self.assertEqual(self.browser.title, "Korvanta")
        # Keyboard first: the first Tab reaches the file chooser.
        self.browser.find_element(By.TAG_NAME, "body").send_keys(Keys.TAB)
        self.assertEqual(self.browser.switch_to.active_element.get_attribute("id"), "files")
        self.browser.find_element(By.ID, "files").send_keys("\n".join(map(str, chosen)))

        rows = wait_for(lambda: self.finished_rows(len(chosen)), "every row to finish")
        for name, state, result in rows:
            with self.subTest(name=name):
                error = expected[name]["error"]
                self.assertEqual(state, "Failed" if error else "Done")
                if error:
                    self.assertIn(error, result)
                for warning in expected[name]["warnings"]:
                    self.assertIn("Warning: " + warning, result)
        links = self.browser.find_elements(By.CSS_SELECTOR, "#results a")
        self.assertEqual(len(links), len(EXPORT_FILES) + 1)
        for link in links:
            link.click()
        for source in EXPORT_FILES:
            with self.subTest(download=source.name):
                self.assertEqual(self.downloaded(source.stem + ".xlsx"),
                                 expected[source.name]["xlsx"])
        if SCREENSHOT:
            self.browser.save_screenshot(SCREENSHOT)

        self.browser.find_element(By.ID, "download-all").click()
        self.downloaded("korvanta-reports.zip")
        with zipfile.ZipFile(self.downloads / "korvanta-reports.zip") as archive:
            self.assertIsNone(archive.testzip())
            for source in EXPORT_FILES:
                self.assertEqual(archive.read(source.stem + ".xlsx"), expected[source.name]["xlsx"])
        self.assertEqual(self.server.leftovers(), [])

    def finished_rows(self, count):
        rows = [[cell.text for cell in row.find_elements(By.TAG_NAME, "td")]
                for row in self.browser.find_elements(By.CSS_SELECTOR, "#results tbody tr")]
        done = len(rows) == count and all(r[2] in ("Done", "Failed") for r in rows)
        return [(r[0], r[2], r[3]) for r in rows] if done else None


if __name__ == "__main__":
    unittest.main()
