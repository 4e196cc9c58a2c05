import { launchBrowser, startServer } from './tests/page.js';
import { KnownDevices } from 'puppeteer-core';
const site = await startServer();
const browser = await launchBrowser();
for (const dev of ['iPhone 13 landscape', 'iPhone 13', 'iPhone SE landscape', 'iPhone SE', 'iPad Mini', 'iPad Mini landscape']) {
  const page = await browser.newPage();
  await page.emulate(KnownDevices[dev]);
  await page.goto(site.url);
  await page.waitForFunction(() => document.querySelector('.xterm-rows')?.textContent.includes('Select option number:'));
  console.log(dev, await page.evaluate(async () => {
    const { terminal } = await import('./terminal_game.js');
    const keys = [...document.querySelectorAll('#answer-keys button, #system-keyboard')].map((b) => b.getBoundingClientRect());
    const tops = new Set(keys.filter((r) => r.width).map((r) => Math.round(r.top)));
    return `font ${terminal.options.fontSize} rows ${terminal.rows} keyrows ${tops.size} minw ${Math.min(...keys.map((r) => r.width)).toFixed(1)} minh ${Math.min(...keys.map((r) => r.height)).toFixed(1)} status "${document.getElementById('status').textContent}" statusH ${document.getElementById('status').getBoundingClientRect().height}`;
  }));
  await page.screenshot({ path: `/tmp/keys/${dev.replace(/ /g, '_')}.png` });
  await page.close();
}
await browser.close(); site.server.close();
