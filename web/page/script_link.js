// A script carried in the page's address: #code= and the script's bytes in base64url with no
// padding, then &run to run it at once; or one of the examples, #example=NAME.
'use strict';

function bytesToBase64Url(bytes) {
  let binary = '';
  for (let i = 0; i < bytes.length; i += 0x8000) {
    binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  }
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

// Null when the text is not base64url.
function base64UrlToBytes(text) {
  if (!/^[A-Za-z0-9_-]*$/.test(text) || text.length % 4 === 1) return null;
  const binary = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
  return Uint8Array.from(binary, (c) => c.charCodeAt(0));
}

// What an address's fragment asks for: {bytes, run}, or null when it carries no script. A
// fragment whose code cannot be read gives {error}.
function readScriptLink(hash) {
  const fields = hash.replace(/^#/, '').split('&');
  const code = fields.find((f) => f.startsWith('code='));
  if (code === undefined) return null;
  const bytes = base64UrlToBytes(code.slice(5));
  if (bytes === null) return {error: 'the link\'s script is not base64url'};
  return {bytes, run: fields.includes('run')};
}

function makeScriptLink(base, bytes, run) {
  return base + '#code=' + bytesToBase64Url(bytes) + (run ? '&run' : '');
}

// The longest address Chromium opens, in characters: a longer one opens an empty page.
const MAX_LINK_LENGTH = 2 * 1024 * 1024;

// The link Share offers for a script, which runs it: {link}, or {error} when it would be longer
// than a browser opens.
function shareScriptLink(base, bytes) {
  const link = makeScriptLink(base, bytes, true);
  if (link.length <= MAX_LINK_LENGTH) return {link};
  // Each four characters of base64url carry three bytes.
  const room = MAX_LINK_LENGTH - (link.length - Math.ceil(bytes.length * 4 / 3));
  const most = Math.max(0, Math.floor(room * 3 / 4));
  const count = (n) => n.toLocaleString('en-US');
  return {error: `The script is too large for a link: a link holds at most ${count(most)} bytes ` +
                 `of script, and this one has ${count(bytes.length)}.`};
}

// The example an address's fragment names (#example=NAME), or null. A name whose %-escapes do
// not decode to UTF-8 is taken as it stands.
function readExampleName(hash) {
  const match = /[#&]example=([^&]*)/.exec(hash);
  if (match === null) return null;
  try {
    return decodeURIComponent(match[1]);
  } catch {
    return match[1];
  }
}

// The text of a script file for the editor: UTF-8 when it reads as UTF-8, else Windows-1252
// (as the interpreter reads it).
function scriptText(bytes) {
  try {
    return new TextDecoder('utf-8', {fatal: true}).decode(bytes);
  } catch {
    return new TextDecoder('windows-1252').decode(bytes);
  }
}

if (typeof module !== 'undefined') {
  module.exports = {
    bytesToBase64Url, base64UrlToBytes, readScriptLink, makeScriptLink, MAX_LINK_LENGTH,
    shareScriptLink, readExampleName, scriptText,
  };
}
