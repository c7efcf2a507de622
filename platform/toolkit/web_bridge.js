// The functions the program calls on the page (an emscripten JS library,
// linked with --js-library): each hands its arguments, turned from the
// program's memory into JS values, to the page's KelvoPage (web_page.js).
// Colours come as colour references 0x00BBGGRR, -1 for none.

mergeInto(LibraryManager.library, {
  $kelvoCss: function(colour) {
    if (colour < 0) return null;
    return `rgb(${colour & 255}, ${(colour >> 8) & 255}, ${(colour >> 16) & 255})`;
  },

  kelvo_page_open: function(width, height) { Module.kelvoPage.openForm(width, height); },
  kelvo_page_title: function(text) { Module.kelvoPage.setTitle(UTF8ToString(text)); },
  kelvo_page_line: function(x1, y1, x2, y2) { Module.kelvoPage.addLine(x1, y1, x2, y2); },
  kelvo_page_finish: function() { Module.kelvoPage.finishForm(); },
  kelvo_page_ended: function(program) { Module.kelvoPage.showEnded(UTF8ToString(program)); },

  // The edition the address asks for with ?edition=N; 0 when it names none.
  kelvo_page_edition: function() {
    const text = new URLSearchParams(location.search).get('edition');
    return text !== null && /^[0-9]{1,2}$/.test(text) ? Number(text) : 0;
  },

  kelvo_control_add__deps: ['$kelvoCss'],
  kelvo_control_add: function(id, name, kind, x, y, w, h, back, text, bold, border) {
    Module.kelvoPage.addControl(id, UTF8ToString(name), UTF8ToString(kind), {x, y, w, h},
                                {back: kelvoCss(back), text: kelvoCss(text), bold, border});
  },
  kelvo_control_caption: function(id, text) {
    Module.kelvoPage.setCaption(id, UTF8ToString(text));
  },
  kelvo_control_check: function(id, value) { Module.kelvoPage.setCheck(id, value); },
  kelvo_control_text: function(id, text) { Module.kelvoPage.setText(id, UTF8ToString(text)); },
  kelvo_control_scroll: function(id, min, max, small, large, value) {
    Module.kelvoPage.setScrollBar(id, min, max, small, large, value);
  },
  // The names one after another, each ended by a NUL.
  kelvo_control_list: function(id, names, bytes, count, selected) {
    const list = [];
    for (let at = names, k = 0; k < count; ++k) {
      const name = UTF8ToString(at);
      list.push(name);
      at += lengthBytesUTF8(name) + 1;
    }
    Module.kelvoPage.setList(id, list, selected);
  },
  // Bytes red, green, blue, alpha for a box of w by h pixels.
  kelvo_control_image: function(id, width, height, pixels, x, y, w, h) {
    const data = new Uint8ClampedArray(HEAPU8.buffer, pixels, w * h * 4);
    Module.kelvoPage.putImage(id, width, height, data, x, y, w, h);
  },

  kelvo_timer_start: function(id, interval) { Module.kelvoPage.startTimer(id, interval); },
  kelvo_timer_taken: function(id) { Module.kelvoPage.tickTaken(id); },

  // The next queued event becomes the current one; its kind, 0 for none.
  kelvo_event_take: function() {
    const page = Module.kelvoPage;
    page.current = page.events.shift() || null;
    return page.current ? page.current.kind : 0;
  },
  kelvo_event_control: function() { return Module.kelvoPage.current.id | 0; },
  kelvo_event_value: function() { return Module.kelvoPage.current.value | 0; },
  // The text of an edit, as a new string in the program's memory that the
  // program frees.
  kelvo_event_text__deps: ['malloc'],
  kelvo_event_text: function() {
    const text = Module.kelvoPage.current.text || '';
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
  },

  kelvo_message_show: function(title, text) {
    Module.kelvoPage.showMessage(UTF8ToString(title), UTF8ToString(text));
  },
  kelvo_message_open: function() { return Module.kelvoPage.messageOpen ? 1 : 0; },
  kelvo_message_close: function() { Module.kelvoPage.closeMessage(); },
  kelvo_close_requested: function() { return Module.kelvoPage.closeRequested ? 1 : 0; },
});
