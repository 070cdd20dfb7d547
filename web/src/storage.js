// Program files kept in the browser's storage, so that they survive a reload: every file
// the page writes into the session's directory, and which one the editor showed last.
// Storage may be missing or full (private windows, quotas): the page then works as before,
// without keeping anything.

const filesKey = 'localinterp.files';
const currentKey = 'localinterp.current';

function read(key, fallback) {
  try {
    const text = localStorage.getItem(key);
    return text === null ? fallback : JSON.parse(text);
  } catch {
    return fallback;
  }
}

function write(key, value) {
  try {
    localStorage.setItem(key, JSON.stringify(value));
    return true;
  } catch {
    return false;
  }
}

// { name: text } of the kept files.
export const keptFiles = () => {
  const files = read(filesKey, {});
  return files !== null && typeof files === 'object' && !Array.isArray(files) ? files : {};
};

export function keepFile(name, text) {
  const files = keptFiles();
  files[name] = text;
  write(currentKey, name);
  return write(filesKey, files);
}

export function forgetFile(name) {
  const files = keptFiles();
  delete files[name];
  write(filesKey, files);
}

export const lastFileName = () => {
  const name = read(currentKey, null);
  return typeof name === 'string' ? name : null;
};
