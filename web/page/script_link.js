// A script carried in the page's address: #code= and the script's bytes in base64url with no
// padding, then &run to run it at once.
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
  module.exports = {bytesToBase64Url, base64UrlToBytes, readScriptLink, makeScriptLink, scriptText};
}
