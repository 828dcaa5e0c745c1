// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes svg/<picture>.svg for every row of sources.tsv: "set:icon" rows are cut out of the
// Iconify JSON packages (with the colours of an optional third column swapped) (installed with npm into the folder given as the first argument), "own:file"
// rows are copied from own/. The output is byte-for-byte the same on every run.
//   node extract.mjs /tmp/npm-icons
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const iconRoot = process.argv[2];
if (!iconRoot) {
    console.error('usage: node extract.mjs <folder holding node_modules/@iconify-json>');
    process.exit(2);
}

const sets = new Map();
function loadSet(name) {
    if (!sets.has(name)) {
        const file = path.join(iconRoot, 'node_modules', '@iconify-json', name, 'icons.json');
        sets.set(name, JSON.parse(fs.readFileSync(file, 'utf8')));
    }
    return sets.get(name);
}

// Follows aliases down to the icon itself; aliases may flip or rotate, which our pictures never use.
function iconSvg(setName, iconName) {
    const set = loadSet(setName);
    let name = iconName;
    for (let hops = 0; hops < 8 && !set.icons[name]; ++hops) {
        const alias = set.aliases && set.aliases[name];
        if (!alias) break;
        if (alias.hFlip || alias.vFlip || alias.rotate) throw new Error(`${setName}:${iconName} is transformed`);
        name = alias.parent;
    }
    const icon = set.icons[name];
    if (!icon) throw new Error(`no icon ${setName}:${iconName}`);
    const left = icon.left ?? set.left ?? 0;
    const top = icon.top ?? set.top ?? 0;
    const width = icon.width ?? set.width ?? 16;
    const height = icon.height ?? set.height ?? 16;
    return `<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="${height}" ` +
        `viewBox="${left} ${top} ${width} ${height}">${icon.body}</svg>\n`;
}

const outDir = path.join(here, 'svg');
fs.mkdirSync(outDir, { recursive: true });
const rows = fs.readFileSync(path.join(here, 'sources.tsv'), 'utf8').split('\n');
let count = 0;
for (const line of rows) {
    if (!line.trim() || line.startsWith('#')) continue;
    const [picture, source, recolour] = line.split('\t').map((s) => s.trim());
    const colon = source.indexOf(':');
    const kind = source.slice(0, colon);
    const what = source.slice(colon + 1);
    let svg = kind === 'own' ? fs.readFileSync(path.join(here, 'own', what), 'utf8') : iconSvg(kind, what);
    // Optional third column: colours to swap, "old=new" pairs of hex colours.
    for (const pair of (recolour || '').split(/\s+/).filter(Boolean)) {
        const [from, to] = pair.split('=');
        svg = svg.replace(new RegExp(`#${from}\\b`, 'gi'), `#${to}`);
    }
    const stem = picture.replace(/\.[^.]+$/, '');
    fs.writeFileSync(path.join(outDir, `${stem}.svg`), svg);
    ++count;
}
console.log(`extract: ${count} pictures`);
