// Files dropped onto the page, as the pictures beside the script: each goes into the script's
// folder under its name, which LOADIMG finds it by.
'use strict';

// The name a dropped file goes by in the script's folder, or null for one that no file in a
// folder can have.
function pictureName(fileName) {
  // Of a Windows path, the folders are left out.
  const name = fileName.replace(/^.*\\/, '');
  if (name === '' || name === '.' || name === '..' || /[/\0]/.test(name)) return null;
  return name;
}

// The dropped files as [name, bytes], and why each file that is not among them was left out.
async function readDroppedFiles(files) {
  const pictures = [];
  const refused = [];
  for (const file of files) {
    const name = pictureName(file.name);
    const quoted = JSON.stringify(file.name);
    if (name === null) {
      refused.push(`the dropped file ${quoted} is left out: a picture's name cannot be empty, ` +
                   '. or .., nor hold a / or a zero byte');
      continue;
    }
    try {
      pictures.push([name, new Uint8Array(await file.arrayBuffer())]);
    } catch (error) {
      refused.push(`the dropped file ${quoted} cannot be read: ${error.message}`);
    }
  }
  return {pictures, refused};
}

if (typeof module !== 'undefined') module.exports = {pictureName, readDroppedFiles};
