// Produces tests/data/codec_vectors.json: what a real script engine (node) makes of
// string literals, escape and unescape, and of the two escaping codecs built on them.
// Run offline when the cases should change:
//   node tests/tools/gen_codec_vectors.js > tests/data/codec_vectors.json
// The tests read the committed file; they never need node.
//
// This file must stay non-strict: legacy octal escapes are only legal there.

const indirectEval = eval;

// Deterministic random numbers, so that a re-run gives the same file.
let seed = 0x2f6b1c35;
function random() {
  seed = (seed + 0x6d2b79f5) | 0;
  let t = seed;
  t = Math.imul(t ^ (t >>> 15), t | 1);
  t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const pick = (list) => list[Math.floor(random() * list.length)];
const intBelow = (n) => Math.floor(random() * n);

// The value of a single-quoted literal with this body, or null when it does not parse.
function literal(body) {
  try {
    return indirectEval("(function(){var x='" + body + "';return x;})()");
  } catch (e) {
    if (e instanceof SyntaxError) return null;
    throw e;
  }
}

// GBK's repertoire as ICU sees it. ICU and iconv differ only in the private use area
// and the euro sign, which the generated texts avoid.
const gbk = (() => {
  const decoder = new TextDecoder('gbk');
  const set = new Set();
  for (let b = 0; b < 0x80; b++) set.add(b);
  for (let lead = 0x81; lead <= 0xfe; lead++) {
    for (let trail = 0x40; trail <= 0xfe; trail++) {
      if (trail === 0x7f) continue;
      const s = decoder.decode(Uint8Array.of(lead, trail));
      if (s.length === 1 && s !== '\ufffd') set.add(s.codePointAt(0));
    }
  }
  return set;
})();
const avoided = (cp) => (cp >= 0xe000 && cp <= 0xf8ff) || cp === 0x20ac;
const hasAvoided = (s) => [...s].some((c) => avoided(c.codePointAt(0)));

function throughGbk(s) {
  let out = '';
  for (const c of s) out += gbk.has(c.codePointAt(0)) ? c : '?';
  return out;
}

const upToZero = (s) => (s.indexOf('\0') < 0 ? s : s.slice(0, s.indexOf('\0')));

// Null when the result would hold a character on which ICU and iconv disagree.
function unescapeReply(text) {
  text = upToZero(text);
  if (text === '') return '';
  let s = text.replaceAll('\r\n', '{$}').replaceAll('\n', '{//n//}');
  if (s.startsWith('\r')) s = s.slice(1);
  s = s.replaceAll('\\u', '%u').replaceAll("'", '\u2019');
  const value = literal(s);
  if (value === null) return text;
  const decoded = upToZero(unescape(value));
  if (hasAvoided(decoded)) return null;
  return throughGbk(decoded)
    .replaceAll('\u2019', "'")
    .replaceAll('{$}', '\r\n')
    .replaceAll('{//n//}', '\n');
}

function escapeText(text, brackets, punctuation, prefix) {
  const value = literal(upToZero(text).replaceAll("'", '\u2019'));
  if (value === null) return '';
  let out = escape(value);
  if (brackets) {
    for (const [code, ch] of [['%7B', '{'], ['%7D', '}'], ['%5B', '['], ['%5D', ']'], ['%28', '('], ['%29', ')']])
      out = out.replaceAll(code, ch);
  }
  if (punctuation) {
    for (const [code, ch] of [['%3A', ':'], ['%2C', ','], ['%22', '"']]) out = out.replaceAll(code, ch);
  }
  if (prefix !== '%u' && prefix.trim() !== '') out = out.replaceAll('%u', prefix);
  return out;
}

// Pieces the generated texts are made of.
const ascii = 'abcxyzABCXYZ0189';
const punctuation = ' !"#$%&()*+,-./:;<=>?@[]^_`{|}~\t';
const wide = ['中', '文', '云', '服', '务', '器', '运', '行', '’', '‘', '“', '”', '、', '。', '，', 'é',
  'ñ', '가', '😀', '𠀀', '\u00a0', '\u2028', '\u2029', '\ufeff', '\ufffd', 'Ω', 'ж'];
const backslashes = ['\\', '\\\\', "\\'", '\\"', '\\n', '\\t', '\\b', '\\f', '\\v', '\\r', '\\x41',
  '\\x4e', '\\x4', '\\xZZ', '\\u4e2d', '\\u4E2D', '\\u12', '\\u{1F600}', '\\u{4e2d}', '\\u{}',
  '\\u{110000}', '\\u{0000041}', '\\0', '\\00', '\\08', '\\12', '\\377', '\\400', '\\777', '\\8',
  '\\9', '\\q', '\\/', '\\%', '\\\r\n', '\\\r', '\\\n', '\\\u2028', '\\中', '\\😀', '\\U0041', '\\{'];
const percents = ['%', '%2', '%20', '%4e', '%41', '%u4e2d', '%u4E2D', '%uD83D%uDE00', '%uD83D',
  '%uDE00', '%u12', '%zz', '%%41', '%u%41', '%00', '%u0000', '%27', '%u2019', '%0D%0A', '%uAC00',
  '%E4%B8%AD'];
const marks = ['{$}', '{//n//}', '{', '}', '$', "'", '\r\n', '\n', '\r'];

const hex = (n, width) => n.toString(16).toUpperCase().padStart(width, '0');
function randomPercent() {
  if (random() < 0.5) return '%' + hex(intBelow(256), 2);
  let unit = intBelow(0x10000);
  while (avoided(unit)) unit = intBelow(0x10000);
  const text = hex(unit, 4);
  return '%u' + (random() < 0.3 ? text.toLowerCase() : text);
}
function randomBmp() {
  for (;;) {
    const cp = intBelow(0x10000);
    if (!(cp >= 0xd800 && cp <= 0xdfff) && !avoided(cp)) return String.fromCodePoint(cp);
  }
}

function randomText(kinds) {
  const n = 1 + intBelow(12);
  let s = '';
  for (let i = 0; i < n; i++) {
    switch (pick(kinds)) {
      case 'ascii': s += ascii[intBelow(ascii.length)]; break;
      case 'punct': s += punctuation[intBelow(punctuation.length)]; break;
      case 'wide': s += pick(wide); break;
      case 'backslash': s += pick(backslashes); break;
      case 'percent': s += random() < 0.5 ? pick(percents) : randomPercent(); break;
      case 'mark': s += pick(marks); break;
      case 'bmp': s += randomBmp(); break;
    }
  }
  return s;
}

const units = (s) => Array.from({ length: s.length }, (_, i) => s.charCodeAt(i));
const allKinds = ['ascii', 'ascii', 'punct', 'wide', 'backslash', 'percent', 'mark', 'bmp'];
const noApostrophe = (s) => s.replaceAll("'", '');

const handPickedReplies = ['\\u4e2d', 'a%20b', "it\\'s", 'line1\r\nline2\nline3', '\rfirst',
  'a\rb', 'end\\', 'end\\\\', '\\x4', '%uD83D%uDE00', '%uD83D', '{"msg":"\\u767b\\u5f55\\u6210\\u529f"}',
  "'quoted'", '{$}', '{//n//}', '’', 'a%00b', 'a\\0b', '\\101\\102', '\\u{41}', '%u{41}',
  '\\\r\nx', 'ok', '中文%u4E2D', 'é%E9', '%u20AC', '%uAC00'];
const handPickedEscapes = ['a b', 'x/y', "'", "it's", '中', '😀', '{[(:,"")]}', 'tab\there', '\\n',
  '\\', 'a\nb', 'a\rb', '\\u4e2d', '\\x41\\101', '@*_+-./', '~!#$^&=`|<>?;', 'ĀÿĀ', '\u2028',
  '\\\u2028', '%u'];

const vectors = { literal: [], escape: [], unescape: [], unescapeReply: [], escapeText: [] };

for (let i = 0; i < 600; i++) {
  const body = noApostrophe(randomText(allKinds));
  const value = literal(body);
  vectors.literal.push({ body, units: value === null ? null : units(value) });
}
for (const body of backslashes.concat(handPickedReplies).map(noApostrophe)) {
  const value = literal(body);
  vectors.literal.push({ body, units: value === null ? null : units(value) });
}

for (let i = 0; i < 300; i++) {
  // Arbitrary units, lone surrogates included.
  const n = intBelow(10);
  let s = '';
  for (let k = 0; k < n; k++) s += random() < 0.8 ? String.fromCharCode(intBelow(0x10000)) : randomText(['percent', 'ascii']);
  vectors.escape.push({ in: units(s), out: escape(s) });
  vectors.unescape.push({ in: units(s), out: units(unescape(s)) });
}
for (const s of percents) vectors.unescape.push({ in: units(s), out: units(unescape(s)) });

const replyInputs = handPickedReplies.slice();
for (let i = 0; i < 800; i++) replyInputs.push(randomText(allKinds));
for (const s of replyInputs) {
  const out = unescapeReply(s);
  if (out !== null) vectors.unescapeReply.push({ in: s, out });
}

const prefixes = ['%u', '%25u', '', '  ', '\\u', '&#x'];
const escapeInputs = handPickedEscapes.slice();
for (let i = 0; i < 800; i++) escapeInputs.push(randomText(allKinds));
escapeInputs.forEach((s, i) => {
  const brackets = i % 2 === 1;
  const punct = i % 4 >= 2;
  const prefix = i < handPickedEscapes.length ? '%u' : pick(prefixes);
  vectors.escapeText.push({ in: s, brackets, punctuation: punct, prefix, out: escapeText(s, brackets, punct, prefix) });
});
vectors.escapeText.push({ in: "'", brackets: false, punctuation: false, prefix: '%25u', out: escapeText("'", false, false, '%25u') });

process.stdout.write(JSON.stringify(vectors, null, 0).replaceAll('},{', '},\n{') + '\n');
