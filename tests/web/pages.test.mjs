// The editions' pages in headless Chromium, served on 127.0.0.1: each opens
// without a console error with its controls where the desktop puts them,
// loads and spins a model, meters its frame rate once a second, takes
// clicks, typing, errors and restarts as the desktop does; edition 8 draws
// kelvo-render's picture to the pixel; a user's own model loads.
//
//   KELVO_SITE=dist/web KELVO_RENDER_JS=build-web/bin/kelvo-render.js \
//     node --test tests/web/pages.test.mjs
import assert from 'node:assert/strict';
import {mkdtempSync, rmSync, writeFileSync, readFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join, dirname} from 'node:path';
import {after, before, test} from 'node:test';

import {serve} from '../../scripts/web-server.mjs';
import {readPng} from './png.mjs';
import {canvasPixels, clickModel, launch, openEdition, rectangles, render, settle, shown,
        sleep, text, type} from './page_driver.mjs';

let server, browser, base;

before(async () => {
  server = await serve(process.env.KELVO_SITE);
  base = `http://127.0.0.1:${server.address().port}/`;
  browser = await launch();
});

after(async () => {
  await browser?.close();
  server?.close();
});

// A digest of a canvas, to tell one frame from the next cheaply; run in the
// page.
function digest(name) {
  const canvas = document.getElementById(name);
  const bytes = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  let hash = 0;
  for (let k = 0; k < bytes.length; k += 4) hash = (hash * 31 + bytes[k] + 7 * bytes[k + 1]) | 0;
  return hash;
}

// The dump's rectangles in twips, as every toolkit places them in pixels.
function expectedRectangles(edition) {
  const pixels = (twips) => Math.trunc((twips + 7) / 15);
  const out = {};
  const dump = render('--edition', String(edition), '--dump-layout', '-');
  for (const line of dump.trim().split('\n')) {
    const [name, ...twips] = line.split(' ');
    out[name] = twips.map((t) => pixels(Number(t)));
  }
  return out;
}

// The moments the meter ticked: the frame count goes back to a small number.
async function meterTicks(page, milliseconds) {
  return page.evaluate((span) => new Promise((done) => {
    const box = document.getElementById('Text1');
    const ticks = [];
    let last = Number(box.value);
    const start = performance.now();
    const timer = setInterval(() => {
      const now = Number(box.value);
      if (now < last) ticks.push(performance.now() - start);
      last = now;
      if (performance.now() - start > span) {
        clearInterval(timer);
        done(ticks);
      }
    }, 10);
  }), milliseconds);
}

// Every check box and option button clicked once, in order; the values
// must be those of kelvo-render given the same clicks. Last, as it leaves
// the loop in any state (braked, not drawing).
async function clickEveryBox(page, edition, before) {
  const names = await page.$$eval('.kelvo-check', (els) => els.map((el) => el.id));
  const script = [...before.map((name) => `1 click ${name}`), '1 model torus.atl',
                  ...names.map((name) => `2 click ${name}`)];
  // The first with the mouse, the rest as fast as the page takes them.
  await page.click(`#${names[0]}`);
  await page.$$eval('.kelvo-check', (els) => els.slice(1).forEach((el) => el.click()));
  await settle(page);
  const folder = mkdtempSync(join(tmpdir(), 'kelvo-web-'));
  try {
    writeFileSync(join(folder, 'events.txt'), `${script.join('\n')}\n3 close\n`);
    const dump = render('--edition', String(edition), '--events', join(folder, 'events.txt'),
                        '--dump-controls', '-');
    const values = await shown(page);
    for (const line of dump.trim().split('\n')) {
      const [name, value] = line.split('=');
      if (!names.includes(name)) continue;
      assert.equal(values[name], Number(value), `${name} after the clicks`);
    }
  } finally {
    rmSync(folder, {recursive: true});
  }
}

for (let edition = 1; edition <= 10; ++edition) {
  test(`edition ${edition}: layout, a model spinning, the meter, the controls, errors, restarts`,
       async () => {
    const page = await openEdition(browser, base, edition);
    try {
      assert.deepEqual(await rectangles(page), expectedRectangles(edition));

      // Edition 2's filled renderer draws nothing while "Z sort" is on (it
      // reads the sorted rows where they are not): sorting off, it draws.
      const before = edition === 2 ? ['Check6'] : [];
      for (const name of before) await page.click(`#${name}`);
      await clickModel(page, 'torus.atl');
      await page.waitForFunction(() => document.title === '1000', {timeout: 10000});
      const first = await page.evaluate(digest, 'Picture1');
      await page.waitForFunction(`(${digest})('Picture1') !== ${first}`, {timeout: 5000});

      // Ticks a second apart, give or take what a busy machine delays.
      const ticks = await meterTicks(page, 3300);
      assert.ok(ticks.length >= 2, `the meter ticked ${ticks.length} times in 3.3 s`);
      for (let k = 1; k < ticks.length; ++k) {
        const gap = ticks[k] - ticks[k - 1];
        assert.ok(gap > 500 && gap < 2000, `ticks ${gap.toFixed(0)} ms apart`);
      }
      assert.notEqual(await text(page, 'Text2'), '0', 'the FPS box shows the frames');

      // A spin angle that is not a number stops the loop with a message;
      // once mended, "Start" runs it again. (Not the frame count: the
      // meter's tick copies it into the FPS box, which the brake reads.)
      await type(page, 'Text3', 'abc');
      await page.waitForSelector('.kelvo-message', {timeout: 5000});
      const message = await page.$eval('.kelvo-message-text', (el) => el.textContent);
      assert.match(message, /The render loop has stopped/);
      await page.click('.kelvo-message-ok');
      await type(page, 'Text3', '5');
      await sleep(300);
      assert.equal(await text(page, 'Text3'), '5', 'the loop stands still');
      await page.click('#Command1');
      await page.waitForFunction(() => document.getElementById('Text3').value !== '5',
                                 {timeout: 5000, polling: 20});

      // Restarts, each in a yield of its own: the stack stays as deep.
      const restart = (times) => page.evaluate(async (n) => {
        for (let k = 0; k < n; ++k) {
          document.getElementById('Command1').click();
          await new Promise((r) => setTimeout(r, 1));
        }
      }, times);
      await page.evaluate(() => Module._kelvo_stack_depth());
      await restart(10);
      await settle(page);
      const afterTen = await page.evaluate(() => Module._kelvo_stack_depth());
      await restart(100);
      await settle(page);
      const afterHundred = await page.evaluate(() => Module._kelvo_stack_depth());
      assert.ok(afterTen > 0);
      assert.equal(afterHundred, afterTen, 'stack depth after 100 restarts');

      await clickEveryBox(page, edition, before);
      assert.deepEqual(page.problems, []);
    } finally {
      await page.close();
    }
  });
}

test('edition 2: "Wire" and "Filled" exclude each other', async () => {
  const page = await openEdition(browser, base, 2);
  try {
    await clickModel(page, 'torus.atl');
    await page.waitForFunction(() => document.title === '1000');
    assert.equal((await shown(page)).Check4, 1);
    await page.click('#Check3');
    await settle(page);
    assert.equal((await shown(page)).Check3, 0, 'Wire stays clear while Filled is on');
    await page.click('#Check4');
    await page.click('#Check3');
    await settle(page);
    const values = await shown(page);
    assert.equal(values.Check4, 0);
    assert.equal(values.Check3, 1, 'Wire once Filled is off');
    await page.click('#Check4');
    await settle(page);
    assert.equal((await shown(page)).Check4, 0, 'Filled stays clear while Wire is on');
    assert.deepEqual(page.problems, []);
  } finally {
    await page.close();
  }
});

// The scroll bars' arrows and the text boxes reach the program: stopped,
// the picture is kelvo-render's of the same settings, pixel for pixel.
test('edition 8: the stopped picture is kelvo-render\'s', async () => {
  const page = await openEdition(browser, base, 8);
  const folder = mkdtempSync(join(tmpdir(), 'kelvo-web-'));
  try {
    await clickModel(page, 'torus.atl');
    await page.waitForFunction(() => document.title === '1000');
    await page.click('#Check7');  // autorotate off: the spin angle stays as typed
    await type(page, 'Text3', '30');
    for (let k = 0; k < 3; ++k) await page.click('#HScroll1 .kelvo-right');
    for (let k = 0; k < 2; ++k) await page.click('#HScroll2 .kelvo-left');
    await settle(page);
    const values = await shown(page);
    assert.equal(values.Check7, 0);
    await type(page, 'Text1', 'stop');
    await page.waitForSelector('.kelvo-message');
    const png = join(folder, 'picture1.png');
    render('--model', 'torus.atl', '--set', 'Check7=0', '--set', 'Text3=30',
           '--set', `HScroll1=${values.HScroll1}`, '--set', `HScroll2=${values.HScroll2}`,
           '--frames', '2', '--snapshot', `Picture1=${png}`);
    const expected = readPng(png);
    const actual = await canvasPixels(page, 'Picture1');
    assert.deepEqual([actual.width, actual.height], [expected.width, expected.height]);
    assert.ok(actual.rgba.equals(expected.rgba), 'the canvas and the snapshot differ');
    assert.deepEqual(page.problems, []);
  } finally {
    await page.close();
    rmSync(folder, {recursive: true});
  }
});

test('a model the user adds appears in the list and loads', async () => {
  const page = await openEdition(browser, base, 10);
  const folder = mkdtempSync(join(tmpdir(), 'kelvo-web-'));
  try {
    // Picked with the file picker: the cube, under a name of the user's.
    const cube = readFileSync(join(dirname(process.env.KELVO_RENDER_JS), 'cube.atl'));
    writeFileSync(join(folder, 'my cube.atl'), cube);
    const picker = await page.$('#kelvo-pick');
    await picker.uploadFile(join(folder, 'my cube.atl'));
    await page.waitForFunction(() => [...document.querySelectorAll('#File1 .kelvo-item')]
      .some((row) => row.textContent === 'my cube.atl'));
    await clickModel(page, 'my cube.atl');
    await page.waitForFunction(() => document.title === '12');

    // Dropped on the list: two triangles of a file made on the spot.
    await page.evaluate(() => {
      const numbers = [0, 0, 0, 90, 0, 0, 0, 90, 0, 0, 0, 0, 0, 90, 0, 90, 0, 0];
      const file = new File([numbers.join('\r\n')], 'dropped.atl');
      const drop = new DataTransfer();
      drop.items.add(file);
      document.getElementById('File1').dispatchEvent(
        new DragEvent('drop', {dataTransfer: drop, bubbles: true, cancelable: true}));
    });
    await page.waitForFunction(() => [...document.querySelectorAll('#File1 .kelvo-item')]
      .some((row) => row.textContent === 'dropped.atl'));
    await clickModel(page, 'dropped.atl');
    await page.waitForFunction(() => document.title === '2');
    assert.deepEqual(page.problems, []);
  } finally {
    await page.close();
    rmSync(folder, {recursive: true});
  }
});

test('closing the page while a message box is up ends the program', async () => {
  const page = await openEdition(browser, base, 8);
  try {
    await clickModel(page, 'sphere.atl');
    await page.waitForFunction(() => document.title === '760');
    await type(page, 'Text3', '1,5');
    await page.waitForSelector('.kelvo-message');
    await page.evaluate(() => window.kelvoClose());
    await page.waitForSelector('.kelvo-ended', {timeout: 2000});
    assert.equal(await page.$('.kelvo-message'), null);
    assert.deepEqual(page.problems, []);
  } finally {
    await page.close();
  }
});
