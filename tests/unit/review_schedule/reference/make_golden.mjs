// Writes the golden schedules of tests/unit/review_schedule/fsrs_golden_test.cpp: random review
// sequences (Again and Good, same-day reviews, long gaps, many lapses) scheduled by the
// reference implementation with Quillmere's settings, one C++ initializer per review.
//
//   cd tests/unit/review_schedule/reference && npm ci && npm run golden
//
// The sequences come from a fixed seed, so the file changes only when the reference does.
import { writeFileSync } from 'node:fs';
import { createEmptyCard, fsrs, FSRSVersion, Rating } from 'ts-fsrs';

const output = process.argv[2] ?? '../fsrs_golden.inc';
const kSequences = 320;
const kRetentions = [0.9, 0.9, 0.9, 0.9, 0.7, 0.8, 0.85, 0.95, 0.97];

// A small deterministic generator (mulberry32), so that every run writes the same file.
let seed = 20260108;
function random() {
  seed = (seed + 0x6d2b79f5) | 0;
  let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
  t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const below = (n) => Math.floor(random() * n);

// The days until the next review: often when due, else early, late, the same day or long after.
function elapsedDays(scheduled) {
  const kind = random();
  if (kind < 0.18) return 0;
  if (kind < 0.5) return scheduled;
  if (kind < 0.7) return 1 + below(Math.max(1, scheduled * 2));
  if (kind < 0.85) return 1 + below(10);
  if (kind < 0.95) return 100 + below(900);
  return 1000 + below(9000);
}

const lines = [];
const dayMs = 24 * 60 * 60 * 1000;
for (let sequence = 0; sequence < kSequences; ++sequence) {
  const retention = kRetentions[below(kRetentions.length)];
  const scheduler = fsrs({
    request_retention: retention,
    maximum_interval: 36500,
    enable_fuzz: false,
    enable_short_term: true,
    learning_steps: [],
    relearning_steps: [],
  });
  // Some sequences lapse most of the time.
  const againChance = sequence % 5 === 0 ? 0.7 : 0.25;
  const steps = 3 + below(sequence % 7 === 0 ? 40 : 16);
  let card = createEmptyCard(new Date(Date.UTC(2026, 0, 5, 12)));
  let when = card.due.getTime();
  let scheduled = 0;
  for (let step = 0; step < steps; ++step) {
    const elapsed = step === 0 ? 0 : elapsedDays(scheduled);
    when += elapsed * dayMs;
    const rating = random() < againChance ? Rating.Again : Rating.Good;
    card = scheduler.next(card, new Date(when), rating).card;
    scheduled = card.scheduled_days;
    lines.push(`{${sequence}, ${retention}, ${elapsed}, ${rating}, ${card.stability}, ` +
               `${card.difficulty}, ${card.scheduled_days}},`);
  }
}

writeFileSync(output,
  `// Written by tests/unit/review_schedule/reference/make_golden.mjs with ts-fsrs ${FSRSVersion}:\n` +
  '// {sequence, desired retention, elapsed days, rating (1 Again, 3 Good), stability,\n' +
  '//  difficulty, interval in days}. Do not edit by hand.\n' +
  lines.join('\n') + '\n');
console.log(`${lines.length} reviews in ${kSequences} sequences written to ${output}`);
