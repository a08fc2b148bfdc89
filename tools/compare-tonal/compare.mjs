// Compares the chord and scale library in data/ with the chord and scale dictionaries of the
// npm package tonal: interval sets one side has and the other lacks, and equal sets that share
// no name. Run through run.sh, which installs the package beside this file.
//
// Usage: node compare.mjs [DATA_DIR] [--aliases]
//   --aliases also lists, for equal sets, tonal's names that ours lack.

import { readFileSync } from "node:fs";
import { join, dirname } from "node:path";
import { fileURLToPath } from "node:url";
import { ChordType, ScaleType } from "tonal";

const args = process.argv.slice(2);
const showAliases = args.includes("--aliases");
const dataDir = args.find((a) => !a.startsWith("--")) ??
    join(dirname(fileURLToPath(import.meta.url)), "..", "..", "data");

// --- our files -------------------------------------------------------------------------------

function readIni(path) {
    const sections = new Map();
    let current = null;
    for (const raw of readFileSync(path, "utf8").split(/\r?\n/)) {
        const line = raw.trim();
        if (!line || line.startsWith(";")) continue;
        const head = line.match(/^\[(.*)\]$/);
        if (head) {
            current = new Map();
            sections.set(head[1].toLowerCase(), current);
        } else if (current) {
            const at = line.indexOf("=");
            if (at > 0) current.set(line.slice(0, at).trim().toLowerCase(), line.slice(at + 1).trim());
        }
    }
    return sections;
}

const MAJOR = [0, 2, 4, 5, 7, 9, 11];
const ACCIDENTAL = { f: -2, b: -1, "#": 1, x: 2 };

// A formula such as 1;b3;5;b7 as a 12-character chroma string ("1" where a pitch class sounds),
// the form tonal gives its sets in.
function chromaOf(formula) {
    const bits = Array(12).fill("0");
    for (const token of formula.split(";")) {
        const shift = ACCIDENTAL[token[0]] ?? 0;
        const degree = Number(shift ? token.slice(1) : token);
        const pc = (((MAJOR[(degree - 1) % 7] + shift) % 12) + 12) % 12;
        bits[pc] = "1";
    }
    return bits.join("");
}

function items(file, countKey, read) {
    const ini = readIni(join(dataDir, file));
    const count = Number(ini.get("totals")?.get(countKey) ?? 0);
    const out = [];
    for (let i = 0; i < count; ++i) {
        const sec = ini.get(String(i));
        if (sec) out.push({ number: i, ...read(sec) });
    }
    return out;
}

const list = (text) => (text ? text.split(";").filter(Boolean) : []);

const ourChords = items("chord.ini", "numchords", (s) => ({
    label: s.get("name"),
    chroma: chromaOf(s.get("formula")),
    formula: s.get("formula"),
    names: [s.get("name"), s.get("nameverbose"), ...list(s.get("chordsymbols"))],
}));
const ourScales = items("scale.ini", "numscales", (s) => ({
    label: s.get("name"),
    chroma: chromaOf(s.get("formula")),
    formula: s.get("formula"),
    names: [s.get("name"), ...list(s.get("altname"))],
}));

// --- tonal's dictionaries --------------------------------------------------------------------

function tonalSets(all) {
    const bySet = new Map();
    for (const t of all) {
        const entry = bySet.get(t.chroma) ?? { chroma: t.chroma, names: [], labels: [], intervals: t.intervals };
        if (t.name) entry.names.push(t.name);
        entry.names.push(...t.aliases);
        entry.labels.push(t.name || t.aliases[0]);
        bySet.set(t.chroma, entry);
    }
    return bySet;
}

// --- names -----------------------------------------------------------------------------------

const WORDS = [
    [/\bseventh\b/g, "7th"], [/\bninth\b/g, "9th"], [/\beleventh\b/g, "11th"],
    [/\bthirteenth\b/g, "13th"], [/\bsixth\b/g, "6th"], [/\bfifth\b/g, "5th"],
    [/\bfourth\b/g, "4th"], [/\bsecond\b/g, "2nd"], [/\bsharp\b/g, "#"], [/\bflat\b/g, "b"],
    [/\bnatural\b/g, ""], [/\bscale\b/g, ""], [/\beight\b/g, "8"], [/\bnine\b/g, "9"],
    [/\bsuspended\b/g, "sus"], [/\baugmented\b/g, "aug"], [/\bdiminished\b/g, "dim"],
    [/\bdominant\b/g, "dom"], [/\badded\b/g, "add"], [/\bsix\b/g, "6"], [/\bseven\b/g, "7"],
    [/\bfive\b/g, "5"], [/\bmode #(\d)/g, "mode $1"], [/(\d+)(st|nd|rd|th)\b/g, "$1"],
];

// Scale names compare without case, blanks, hyphens and the words that only spell numbers.
function scaleKey(name) {
    let n = name.toLowerCase().replace(/[-_]/g, " ");
    for (const [re, to] of WORDS) n = n.replace(re, to);
    return n.replace(/[\s()]/g, "");
}

// Chord symbols compare apart from brackets and the ways of writing "major", "minor" and
// "diminished"; long names (those with blanks) compare as scale names do.
function chordKey(name) {
    if (/\s/.test(name.trim())) return scaleKey(name);
    return name.replace(/[(),]/g, "").replace(/\u0394|\^|Maj|maj|ma(?=\d)/g, "M")
        .replace(/min|mi(?!n)/g, "m").replace(/\u00b0|dim/g, "o");
}

function report(title, ours, theirs, keyOf) {
    const lines = [];
    const say = (s = "") => lines.push(s);
    const ourBySet = new Map();
    for (const o of ours) {
        if (!ourBySet.has(o.chroma)) ourBySet.set(o.chroma, []);
        ourBySet.get(o.chroma).push(o);
    }
    const lacking = [...theirs.values()].filter((t) => !ourBySet.has(t.chroma));
    const extra = ours.filter((o) => !theirs.has(o.chroma));
    const mismatches = [];
    const aliases = [];
    for (const o of ours) {
        const t = theirs.get(o.chroma);
        if (!t) continue;
        const mine = new Set(o.names.map(keyOf));
        const shared = t.names.filter((n) => mine.has(keyOf(n)));
        if (shared.length === 0) mismatches.push([o, t]);
        const missing = t.names.filter((n) => n && !mine.has(keyOf(n)));
        if (missing.length) aliases.push([o, missing]);
    }
    say(`== ${title}: ours ${ours.length} (${ourBySet.size} sets), tonal ${theirs.size} sets, ` +
        `shared ${theirs.size - lacking.length}`);
    say(`-- sets we have that tonal lacks: ${extra.length}`);
    for (const o of extra) say(`  [${o.number}] ${o.label}  ${o.formula}`);
    say(`-- sets tonal has that we lack: ${lacking.length}`);
    for (const t of lacking) say(`  ${t.labels.join(" / ")}  ${t.intervals.join(" ")}`);
    say(`-- equal sets that share no name: ${mismatches.length}`);
    for (const [o, t] of mismatches) say(`  [${o.number}] ${o.label}  <>  tonal: ${t.names.join(", ")}`);
    if (showAliases) {
        say(`-- tonal names that ours lack (equal sets): ${aliases.length}`);
        for (const [o, m] of aliases) say(`  [${o.number}] ${o.label}: ${m.join(", ")}`);
    }
    return lines.join("\n");
}

console.log(report("Chords", ourChords, tonalSets(ChordType.all()), chordKey));
console.log();
console.log(report("Scales", ourScales, tonalSets(ScaleType.all()), scaleKey));
