// The page's half of the web toolkit: the form's controls as absolutely
// placed HTML elements, and the queue of what the user does to them.
//
// Listeners only queue: the program takes the queue in its yields (and while
// it stands idle), so a click during the render loop reaches its handler
// inside a yield, as on the desktop. The program writes to the elements
// through the bridge (web_bridge.js), never the other way round.
'use strict';

class KelvoPage {
  constructor(root, program) {
    this.root = root;
    this.program = program;
    this.elements = new Map();  // control id -> element
    this.scrollBars = new Map();  // control id -> KelvoScrollBar
    this.events = [];
    this.ticksQueued = new Set();
    this.wake = null;
    this.messageOpen = false;
    this.closeRequested = false;
    this.ended = false;
  }

  // --- The queue ---------------------------------------------------------

  push(event) {
    if (this.ended) return;
    this.events.push(event);
    this.wakeUp();
  }

  wakeUp() {
    const wake = this.wake;
    this.wake = null;
    if (wake) wake();
  }

  // Resolves once there is something for the program to do.
  waitForEvent() {
    if (this.events.length > 0) return Promise.resolve();
    return new Promise((resolve) => { this.wake = resolve; });
  }

  // One turn of the browser's event loop: input is taken and the page is
  // painted, and the program goes on at once. A message on a channel comes
  // back without the 4 ms that nested timers wait.
  nextTurn() {
    if (!this.channel) this.channel = new MessageChannel();
    return new Promise((resolve) => {
      this.channel.port1.onmessage = () => resolve();
      this.channel.port2.postMessage(0);
    });
  }

  // The user's request to end the program: leaving the page, or a test.
  requestClose() {
    this.closeRequested = true;
    this.push({kind: KelvoPage.CLOSE});
  }

  // --- The window --------------------------------------------------------

  openForm(width, height) {
    this.frame = element('div', 'kelvo-frame');
    this.titleBar = element('div', 'kelvo-title');
    this.form = element('div', 'kelvo-form');
    place(this.form, 0, 0, width, height);
    this.form.style.position = 'relative';
    this.frame.append(this.titleBar, this.form);
    this.root.replaceChildren(this.frame);
    // The diagram's lines lie over the controls and let clicks through.
    this.lines = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
    this.lines.setAttribute('class', 'kelvo-lines');
    this.lines.setAttribute('width', width);
    this.lines.setAttribute('height', height);
  }

  setTitle(text) {
    this.titleBar.textContent = text;
    document.title = text;
  }

  addLine(x1, y1, x2, y2) {
    const line = document.createElementNS('http://www.w3.org/2000/svg', 'line');
    // Through the pixel centres, so that a one-pixel line stays sharp.
    line.setAttribute('x1', x1 + 0.5);
    line.setAttribute('y1', y1 + 0.5);
    line.setAttribute('x2', x2 + 0.5);
    line.setAttribute('y2', y2 + 0.5);
    this.lines.append(line);
  }

  // The lines go last, over every control.
  finishForm() {
    this.form.append(this.lines);
  }

  // --- Controls ----------------------------------------------------------

  addControl(id, name, kind, rect, look) {
    const make = {
      check: () => this.makeCheck(id, 'checkbox'),
      option: () => this.makeCheck(id, 'radio'),
      button: () => this.makeButton(id),
      text: () => this.makeText(id),
      label: () => element('div', 'kelvo-label'),
      list: () => this.makeList(id),
      picture: () => this.makePicture(look.border),
      scroll: () => this.makeScrollBar(id, rect),
    }[kind];
    const el = make();
    el.id = name;
    el.dataset.control = name;
    place(el, rect.x, rect.y, rect.w, rect.h);
    if (look.back !== null) el.style.background = look.back;
    if (look.text !== null) el.style.color = look.text;
    if (look.bold) el.style.fontWeight = 'bold';
    this.form.append(el);
    this.elements.set(id, el);
  }

  makeCheck(id, type) {
    const el = element('label', 'kelvo-check');
    const box = document.createElement('input');
    box.type = type;
    box.tabIndex = -1;
    el.append(box, element('span', 'kelvo-caption'));
    // The program decides the new value (greyed becomes checked): the
    // browser's own toggle is held back, and the handler's result shown.
    el.addEventListener('click', (e) => {
      e.preventDefault();
      this.push({kind: KelvoPage.CLICK, id});
    });
    return el;
  }

  makeButton(id) {
    const el = element('button', 'kelvo-button');
    el.type = 'button';
    el.addEventListener('click', () => this.push({kind: KelvoPage.CLICK, id}));
    return el;
  }

  makeText(id) {
    const el = element('input', 'kelvo-text');
    el.type = 'text';
    el.spellcheck = false;
    el.autocomplete = 'off';
    // Every keystroke reaches the program, not only the end of an edit.
    el.addEventListener('input', () => this.push({kind: KelvoPage.EDIT, id, text: el.value}));
    return el;
  }

  makeList(id) {
    this.listId = id;  // where the user's own models are shown
    const el = element('div', 'kelvo-list');
    el.addEventListener('click', (e) => {
      const row = e.target.closest('.kelvo-item');
      if (!row) return;
      // Selected at once, as a list box does before it tells the program:
      // the program's handler may run the render loop and not return.
      for (const other of el.querySelectorAll('.kelvo-item')) {
        other.classList.toggle('kelvo-selected', other === row);
      }
      this.push({kind: KelvoPage.LIST, id, value: Number(row.dataset.index)});
    });
    el.addEventListener('dragover', (e) => {
      e.preventDefault();
      el.classList.add('kelvo-drop');
    });
    el.addEventListener('dragleave', () => el.classList.remove('kelvo-drop'));
    el.addEventListener('drop', (e) => {
      e.preventDefault();
      el.classList.remove('kelvo-drop');
      this.addFiles(e.dataTransfer.files);
    });
    return el;
  }

  makePicture(border) {
    const el = element('canvas', 'kelvo-picture');
    if (border) el.classList.add('kelvo-sunken');
    return el;
  }

  makeScrollBar(id, rect) {
    const bar = new KelvoScrollBar(rect.w, rect.h, (kind, value) => {
      this.push({kind: kind === 'scroll' ? KelvoPage.SCROLL : KelvoPage.CHANGE, id, value});
    });
    this.scrollBars.set(id, bar);
    return bar.el;
  }

  setCaption(id, text) {
    const el = this.elements.get(id);
    const caption = el.querySelector('.kelvo-caption') || el;
    if (caption.textContent !== text) caption.textContent = text;
  }

  // 0 clear, 1 checked, 2 greyed.
  setCheck(id, value) {
    const el = this.elements.get(id);
    el.dataset.value = value;
    const box = el.querySelector('input');
    box.checked = value !== 0;
    box.indeterminate = value === 2;
  }

  setText(id, text) {
    const el = this.elements.get(id);
    // Writing an unchanged text would move the caret under the user's hands.
    if (el.value !== text) el.value = text;
  }

  setScrollBar(id, min, max, small, large, value) {
    this.scrollBars.get(id).set(min, max, small, large, value);
  }

  setList(id, names, selected) {
    const el = this.elements.get(id);
    const shown = names.join('\n');
    if (el.dataset.names !== shown) {
      el.dataset.names = shown;
      el.replaceChildren(...names.map((name, index) => {
        const row = element('div', 'kelvo-item');
        row.textContent = name;
        row.dataset.index = index;
        return row;
      }));
    }
    el.querySelectorAll('.kelvo-item').forEach((row, index) => {
      row.classList.toggle('kelvo-selected', index === selected);
    });
  }

  // The part (x, y, w, h) of a picture box's image; pixels are bytes red,
  // green, blue, alpha.
  putImage(id, width, height, pixels, x, y, w, h) {
    const canvas = this.elements.get(id);
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
    }
    if (!this.contexts) this.contexts = new Map();
    let context = this.contexts.get(id);
    if (!context) {
      context = canvas.getContext('2d', {alpha: false});
      this.contexts.set(id, context);
    }
    context.putImageData(new ImageData(pixels, w, h), x, y);
  }

  // --- Timers ------------------------------------------------------------

  // A tick waits in the queue at most once: a late program gets one tick,
  // not a pile of them, as a window's timer would give it.
  startTimer(id, interval) {
    setInterval(() => {
      if (this.ticksQueued.has(id)) return;
      this.ticksQueued.add(id);
      this.push({kind: KelvoPage.TICK, id});
    }, interval);
  }

  tickTaken(id) {
    this.ticksQueued.delete(id);
  }

  // --- The user's own models ----------------------------------------------

  // Reads .atl files the user picked or dropped into the model folder, then
  // asks the program to list the folder again.
  async addFiles(files) {
    const models = [...files].filter((file) => /\.atl$/i.test(file.name));
    const skipped = files.length - models.length;
    try {
      for (const file of models) {
        const bytes = new Uint8Array(await file.arrayBuffer());
        this.program.writeModel(file.name, bytes);
      }
    } catch (error) {
      // Before the program has started, or a file the browser cannot read.
      this.status(`could not add the models: ${error.message || error}`);
      return;
    }
    const said = [];
    if (models.length) said.push(`added ${models.map((f) => f.name).join(', ')}`);
    if (skipped) said.push(`left out ${skipped} file(s) not named *.atl`);
    this.status(said.join('; '));
    if (models.length) this.push({kind: KelvoPage.FILES, id: this.listId});
  }

  status(text) {
    const line = document.getElementById('kelvo-status');
    if (line) line.textContent = text;
  }

  // --- Messages and the end ------------------------------------------------

  showMessage(title, text) {
    const dialog = element('div', 'kelvo-message');
    const heading = element('div', 'kelvo-message-title');
    heading.textContent = title;
    const body = element('div', 'kelvo-message-text');
    body.textContent = text;
    const ok = element('button', 'kelvo-message-ok');
    ok.type = 'button';
    ok.textContent = 'OK';
    ok.addEventListener('click', () => this.closeMessage());
    dialog.append(heading, body, ok);
    this.messageLayer = element('div', 'kelvo-modal');
    this.messageLayer.append(dialog);
    this.frame.append(this.messageLayer);
    this.messageOpen = true;
    ok.focus();
  }

  closeMessage() {
    if (!this.messageOpen) return;
    this.messageOpen = false;
    this.messageLayer.remove();
    this.wakeUp();
  }

  // Resolves when the message box is closed or the program is to end.
  waitForMessage() {
    if (!this.messageOpen || this.closeRequested) return Promise.resolve();
    return new Promise((resolve) => { this.wake = resolve; });
  }

  showEnded(program) {
    this.ended = true;
    this.events = [];
    if (this.messageOpen) this.closeMessage();
    const layer = element('div', 'kelvo-modal kelvo-ended');
    layer.textContent = `${program} has ended. Reload the page to start it again.`;
    this.frame.append(layer);
  }
}

KelvoPage.CLICK = 1;
KelvoPage.SCROLL = 2;
KelvoPage.CHANGE = 3;
KelvoPage.EDIT = 4;
KelvoPage.LIST = 5;
KelvoPage.TICK = 6;
KelvoPage.CLOSE = 7;
KelvoPage.FILES = 8;

function element(tag, classes) {
  const el = document.createElement(tag);
  el.className = classes;
  return el;
}

function place(el, x, y, w, h) {
  Object.assign(el.style, {left: `${x}px`, top: `${y}px`, width: `${w}px`, height: `${h}px`});
}
