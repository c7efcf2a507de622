// A horizontal scroll bar as the desktop has it: an arrow at each end that
// moves by SmallChange (repeating while held), a trough that pages by
// LargeChange towards the pointer, and a thumb whose drag reports "scroll"
// at every new value and "change" when it is let go. Arrows and pages report
// "change". The bar moves at once; the program's own writes set it again.
'use strict';

class KelvoScrollBar {
  constructor(width, height, report) {
    this.report = report;
    this.min = 0;
    this.max = 100;
    this.small = 1;
    this.large = 1;
    this.value = 0;
    this.arrow = Math.min(height, Math.floor(width / 3));
    this.el = document.createElement('div');
    this.el.className = 'kelvo-scroll';
    this.left = this.part('kelvo-arrow kelvo-left', '\u25c0');
    this.track = this.part('kelvo-track', '');
    this.right = this.part('kelvo-arrow kelvo-right', '\u25b6');
    this.thumb = document.createElement('div');
    this.thumb.className = 'kelvo-thumb';
    this.track.append(this.thumb);
    Object.assign(this.left.style, {width: `${this.arrow}px`});
    Object.assign(this.right.style, {width: `${this.arrow}px`});
    Object.assign(this.track.style, {left: `${this.arrow}px`, right: `${this.arrow}px`});
    this.trackLength = width - 2 * this.arrow;
    this.listen();
  }

  part(classes, text) {
    const el = document.createElement('div');
    el.className = classes;
    el.textContent = text;
    this.el.append(el);
    return el;
  }

  set(min, max, small, large, value) {
    Object.assign(this, {min, max, small, large, value});
    this.show();
  }

  // The thumb's share of the trough: as FLTK sizes it, so that a page is
  // LargeChange.
  thumbLength() {
    const range = Math.abs(this.max - this.min);
    const large = Math.max(1, this.large);
    const share = (large + 0.5) / (range + large + 0.5);
    return Math.max(8, Math.round(this.trackLength * share));
  }

  // Where along the trough the thumb's left edge stands.
  thumbLeft() {
    const span = this.max - this.min;
    const fraction = span === 0 ? 0 : (this.value - this.min) / span;
    return Math.round(fraction * (this.trackLength - this.thumbLength()));
  }

  show() {
    this.el.dataset.value = this.value;
    Object.assign(this.thumb.style,
                  {left: `${this.thumbLeft()}px`, width: `${this.thumbLength()}px`});
  }

  clamp(value) {
    const low = Math.min(this.min, this.max), high = Math.max(this.min, this.max);
    return Math.min(high, Math.max(low, Math.round(value)));
  }

  // Moves to value and reports it; nothing when the bar stands there already.
  moveTo(value, kind) {
    value = this.clamp(value);
    if (value === this.value) return;
    this.value = value;
    this.show();
    this.report(kind, value);
  }

  // The direction of larger values: min may be above max.
  direction() {
    return this.max >= this.min ? 1 : -1;
  }

  listen() {
    const hold = (step) => {
      step();
      // As a held arrow does: a pause, then a steady repeat.
      this.repeat = setTimeout(() => { this.repeat = setInterval(step, 50); }, 400);
    };
    const letGo = () => {
      clearTimeout(this.repeat);
      clearInterval(this.repeat);
    };
    this.left.addEventListener('pointerdown', (e) => {
      e.preventDefault();
      hold(() => this.moveTo(this.value - this.direction() * this.small, 'change'));
    });
    this.right.addEventListener('pointerdown', (e) => {
      e.preventDefault();
      hold(() => this.moveTo(this.value + this.direction() * this.small, 'change'));
    });
    this.track.addEventListener('pointerdown', (e) => {
      if (e.target === this.thumb) return;
      e.preventDefault();
      const at = e.clientX - this.track.getBoundingClientRect().left;
      hold(() => {
        const thumb = this.thumbLeft();
        if (at >= thumb && at < thumb + this.thumbLength()) return;  // reached the pointer
        const side = at < thumb ? -1 : 1;
        this.moveTo(this.value + side * this.direction() * this.large, 'change');
      });
    });
    for (const el of [this.left, this.right, this.track]) {
      el.addEventListener('pointerup', letGo);
      el.addEventListener('pointerleave', letGo);
    }
    this.thumb.addEventListener('pointerdown', (e) => this.drag(e));
  }

  drag(e) {
    e.preventDefault();
    this.thumb.setPointerCapture(e.pointerId);
    const grip = e.clientX - this.thumb.getBoundingClientRect().left;
    let dragged = false;
    const move = (m) => {
      const free = this.trackLength - this.thumbLength();
      const left = m.clientX - this.track.getBoundingClientRect().left - grip;
      const fraction = free <= 0 ? 0 : Math.min(1, Math.max(0, left / free));
      const before = this.value;
      this.moveTo(this.min + fraction * (this.max - this.min), 'scroll');
      if (this.value !== before) dragged = true;
    };
    const release = () => {
      this.thumb.removeEventListener('pointermove', move);
      this.thumb.removeEventListener('pointerup', release);
      this.thumb.removeEventListener('lostpointercapture', release);
      if (dragged) this.report('change', this.value);
    };
    this.thumb.addEventListener('pointermove', move);
    this.thumb.addEventListener('pointerup', release);
    this.thumb.addEventListener('lostpointercapture', release);
  }
}
