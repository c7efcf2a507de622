// Driving an edition's page in headless Chromium as a user would, and
// kelvo-render (the WebAssembly build, run by Node) for what the same
// actions give without a window.
import {execFileSync} from 'node:child_process';
import {dirname} from 'node:path';
import puppeteer from 'puppeteer-core';

const renderJs = process.env.KELVO_RENDER_JS;

export function launch() {
  return puppeteer.launch({
    executablePath: process.env.KELVO_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox'],
    headless: true,
  });
}

// kelvo-render in the folder of the sample models; its standard output.
export function render(...args) {
  return execFileSync('node', ['--no-experimental-fetch', renderJs, ...args],
                      {cwd: dirname(renderJs), encoding: 'utf8'});
}

// Edition n's page, opened, its program running and its form built. Console
// errors and uncaught exceptions are kept in page.problems.
export async function openEdition(browser, base, n) {
  const page = await browser.newPage();
  page.problems = [];
  page.on('console', (m) => { if (m.type() === 'error') page.problems.push(m.text()); });
  page.on('pageerror', (e) => page.problems.push(String(e)));
  page.on('requestfailed', (r) => page.problems.push(`failed: ${r.url()}`));
  await page.setViewport({width: 900, height: 700});
  await page.goto(`${base}kelvo.html?edition=${n}`);
  await page.waitForSelector('#Command1, #File1', {timeout: 30000});
  return page;
}

// Every control's rectangle on the page, in pixels from the form's corner.
export function rectangles(page) {
  return page.evaluate(() => {
    const form = document.querySelector('.kelvo-form').getBoundingClientRect();
    const out = {Form1: [0, 0, form.width, form.height]};
    for (const el of document.querySelectorAll('[data-control]')) {
      const r = el.getBoundingClientRect();
      out[el.dataset.control] = [r.left - form.left, r.top - form.top, r.width, r.height];
    }
    return out;
  });
}

// The values the page shows: check boxes and option buttons (0, 1, 2),
// scroll bars, text boxes; and the title.
export function shown(page) {
  return page.evaluate(() => {
    const out = {title: document.title};
    for (const el of document.querySelectorAll('[data-control]')) {
      const name = el.dataset.control;
      if (el.dataset.value !== undefined) out[name] = Number(el.dataset.value);
      if (el.tagName === 'INPUT') out[name] = el.value;
    }
    return out;
  });
}

export async function clickModel(page, name) {
  const rows = await page.$$('#File1 .kelvo-item');
  for (const row of rows) {
    if ((await row.evaluate((el) => el.textContent)) === name) {
      await row.click();
      return;
    }
  }
  throw new Error(`${name} is not in the model list`);
}

// Waits until the page has handed every queued action to the program and
// the program has gone round its loop (or its idle wait) at least once more.
export async function settle(page) {
  await page.waitForFunction(() => Module.kelvoPage.events.length === 0);
  await page.evaluate(() => new Promise((r) => setTimeout(r, 60)));
}

// Replaces a text box's text as typing would, one input event for it all.
export async function type(page, name, text) {
  await page.evaluate((box, value) => {
    const el = document.getElementById(box);
    el.value = value;
    el.dispatchEvent(new Event('input'));
  }, name, text);
}

export async function text(page, name) {
  return page.$eval(`#${name}`, (el) => el.value);
}

// The pixels of a picture box's canvas, red, green, blue, alpha.
export async function canvasPixels(page, name) {
  const data = await page.$eval(`#${name}`, (canvas) => {
    const image = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    return {width: image.width, height: image.height, bytes: Array.from(image.data)};
  });
  return {width: data.width, height: data.height, rgba: Buffer.from(data.bytes)};
}

export function sleep(ms) {
  return new Promise((r) => setTimeout(r, ms));
}
