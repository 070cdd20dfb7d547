// Share links carry the program in the URL fragment: #file=NAME&code=TEXT, the text as
// base64url of its UTF-8 bytes, so that no server ever sees it.

function toBase64Url(bytes) {
  let binary = '';
  for (let i = 0; i < bytes.length; i += 0x8000) binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

function fromBase64Url(text) {
  const binary = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
  return Uint8Array.from(binary, (c) => c.charCodeAt(0));
}

export function shareFragment(fileName, program) {
  const code = toBase64Url(new TextEncoder().encode(program));
  return `#file=${encodeURIComponent(fileName)}&code=${code}`;
}

// The program of a share link; null when the fragment holds none; { broken: true } when
// it holds one that cannot be read (cut short when copied, or changed by hand).
export function readShareFragment(hash) {
  const fields = new URLSearchParams(hash.replace(/^#/, ''));
  const code = fields.get('code');
  if (code === null) return null;
  try {
    if (!/^[A-Za-z0-9_-]*$/.test(code) || code.length % 4 === 1) throw new Error('not base64url');
    const program = new TextDecoder('utf-8', { fatal: true }).decode(fromBase64Url(code));
    return { fileName: fields.get('file') || 'main.prg', program };
  } catch {
    return { broken: true };
  }
}
