// The browser's keys as the Windows virtual-key codes scripts read with HWPARAM. Letters follow
// the keyboard layout, as Windows has them; every other key goes by its place on a US keyboard.
'use strict';

const KEY_CODES = (() => {
  const codes = {
    Backspace: 8, Tab: 9, Enter: 13, NumpadEnter: 13, ShiftLeft: 16, ShiftRight: 16,
    ControlLeft: 17, ControlRight: 17, AltLeft: 18, AltRight: 18, Pause: 19, CapsLock: 20,
    Escape: 27, Space: 32, PageUp: 33, PageDown: 34, End: 35, Home: 36, ArrowLeft: 37,
    ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Insert: 45, Delete: 46, NumpadMultiply: 106,
    NumpadAdd: 107, NumpadSubtract: 109, NumpadDecimal: 110, NumpadDivide: 111, NumLock: 144,
    ScrollLock: 145, Semicolon: 186, Equal: 187, Comma: 188, Minus: 189, Period: 190,
    Slash: 191, Backquote: 192, BracketLeft: 219, Backslash: 220, BracketRight: 221, Quote: 222,
  };
  for (let i = 0; i < 26; ++i) codes['Key' + String.fromCharCode(65 + i)] = 65 + i;
  for (let i = 0; i < 10; ++i) {
    codes['Digit' + i] = 48 + i;
    codes['Numpad' + i] = 96 + i;
  }
  for (let i = 1; i <= 12; ++i) codes['F' + i] = 111 + i;
  return codes;
})();

// The virtual-key code of a keyboard event, 0 for a key that has none.
function virtualKeyOf(event) {
  if (/^[a-zA-Z]$/.test(event.key) && event.code.startsWith('Key')) {
    return event.key.toUpperCase().charCodeAt(0);
  }
  return KEY_CODES[event.code] || 0;
}

// The character a key press types, as a code point; 0 when it types none (a key with a
// name, or Ctrl, Alt or Meta held).
function typedCharacterOf(event) {
  if (event.ctrlKey || event.altKey || event.metaKey) return 0;
  const chars = [...event.key];
  return chars.length === 1 ? chars[0].codePointAt(0) : 0;
}

if (typeof module !== 'undefined') module.exports = {virtualKeyOf, typedCharacterOf};
