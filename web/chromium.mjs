// The system's Chromium, headless, for the page's tests and tools: nothing
// is downloaded, and a fresh profile each time. The flags keep it off the
// network, which this machine does not reach.
import { mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

export function launchChromium() {
    return puppeteer.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        headless: true,
        userDataDir: mkdtempSync(join(tmpdir(), 'lumoria-chromium-')),
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
               '--disable-component-update', '--disable-sync'],
    });
}
