// A picture of an edition's page with a model spinning, as a visitor sees it.
//
//   node tests/web/screenshot.mjs SITE EDITION MODEL OUT.png [ACTION...]
//
// Before the model: CheckN clicks a check box, HScrollN+K clicks a scroll
// bar's right arrow K times. Used for the README's picture and to look at
// the pages.
import {serve} from '../../scripts/web-server.mjs';
import {clickModel, launch, openEdition, sleep} from './page_driver.mjs';

const [site, edition, model, out, ...actions] = process.argv.slice(2);
const server = await serve(site);
const browser = await launch();
try {
  const page = await openEdition(browser, `http://127.0.0.1:${server.address().port}/`,
                                 Number(edition));
  for (const action of actions) {
    const [name, times] = action.split('+');
    for (let k = 0; k < (times === undefined ? 1 : Number(times)); ++k) {
      await page.click(times === undefined ? `#${name}` : `#${name} .kelvo-right`);
    }
  }
  await clickModel(page, model);
  await sleep(2500);
  // The window and the line of tools under it, with the page's margin.
  const box = await page.evaluate(() => {
    const frame = document.querySelector('.kelvo-frame').getBoundingClientRect();
    const tools = document.getElementById('kelvo-tools').getBoundingClientRect();
    return {width: frame.right + 16, height: tools.bottom + 12};
  });
  await page.screenshot({path: out, clip: {x: 0, y: 0, ...box}});
  if (page.problems.length) console.error(page.problems.join('\n'));
} finally {
  await browser.close();
  server.close();
}
