// The README's picture of the playground: headless Chromium plays a
// transition for a few frames and photographs the page.
// Usage: node web/screenshot.mjs SITE OUT.png
import { launchChromium } from './chromium.mjs';

import { serve } from './serve.mjs';

const [site, out] = process.argv.slice(2);
const { server, url } = await serve(site, 0);
const browser = await launchChromium();
const page = await browser.newPage();
await page.setViewport({ width: 1060, height: 640 });
await page.goto(url + '#transition_in');
await page.waitForSelector('body[data-ready=yes]');
await page.$eval('#play-loop', (box) => { box.checked = false; });
await page.$eval('#play-from', (input) => { input.value = '0'; });
await page.$eval('#play-to', (input) => { input.value = '64'; });
await page.click('#play-button');
await page.waitForFunction(() => document.getElementById('play-button').textContent === 'play');
await page.screenshot({ path: out });
await browser.close();
server.close();
