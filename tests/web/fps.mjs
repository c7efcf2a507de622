// The page's frame rate against the native kelvo-render's, in one run on
// one machine: edition 8 on the 19000-triangle torus with "Max 50fps" off.
// The page's figure is what its FPS box shows each second (the median of
// the seconds after a warm-up); kelvo-render's is frames over the time they
// took, its start and load subtracted.
//
//   node tests/web/fps.mjs SITE NATIVE_KELVO_RENDER [SECONDS]
import {execFileSync} from 'node:child_process';
import {dirname} from 'node:path';

import {serve} from '../../scripts/web-server.mjs';
import {clickModel, launch, openEdition, sleep} from './page_driver.mjs';

const [site, native, seconds = '10'] = process.argv.slice(2);

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

async function pageRate() {
  const server = await serve(site);
  const browser = await launch();
  try {
    const page = await openEdition(browser, `http://127.0.0.1:${server.address().port}/`, 8);
    await page.click('#Check12');  // Max 50fps off
    await clickModel(page, 'torus19000.atl');
    await sleep(2500);
    const rates = [];
    for (let k = 0; k < Number(seconds); ++k) {
      await sleep(1000);
      rates.push(Number(await page.$eval('#Text2', (el) => el.value)));
    }
    return rates;
  } finally {
    await browser.close();
    server.close();
  }
}

function nativeRate() {
  const time = (frames) => {
    const start = process.hrtime.bigint();
    execFileSync(native, ['--model', 'torus19000.atl', '--set', 'Check12=0', '--frames',
                          String(frames)], {cwd: dirname(native)});
    return Number(process.hrtime.bigint() - start) / 1e9;
  };
  const rates = [];
  for (let k = 0; k < 3; ++k) rates.push(2000 / (time(2001) - time(1)));
  return rates;
}

const page = await pageRate();
const desktop = nativeRate();
console.log(`page, frames/s each second: ${page.join(' ')}`);
console.log(`native kelvo-render, frames/s: ${desktop.map((r) => r.toFixed(0)).join(' ')}`);
console.log(`median: page ${median(page)}, native ${median(desktop).toFixed(0)}, ` +
            `ratio ${(median(page) / median(desktop)).toFixed(2)}`);
