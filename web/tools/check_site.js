// Checks that a site folder holds the page's files and nothing else: exactly sw.js and the files
// its FILES list names, each with the SHA-256 written there. Whatever else lies in the folder (a
// screenshot, an editor's backup, an older build) would be published with the site; a file
// missing or changed would stop the service worker from keeping the build.
// Usage: node web/tools/check_site.js <site folder>  (build/web, or an unzipped release)
import { createHash } from 'node:crypto';
import { readFileSync, readdirSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import vm from 'node:vm';

// The files the worker caches, by their path in the site, with their SHA-256. The worker's own
// code is run in a context of its own with only what its first lines read; the folder's address
// ('./') stands for index.html.
export function filesOfWorker(site) {
  const source = readFileSync(path.join(site, 'sw.js'), 'utf8');
  const context = { self: { registration: { scope: '' }, addEventListener: () => {} } };
  vm.runInNewContext(`${source}\nthis.listed = FILES;`, context);
  const files = { ...context.listed };
  delete files['./'];
  return files;
}

// What is wrong with the folder `site`, one line a fault; none when it is the site whole.
export function siteFaults(site) {
  let listed;
  try {
    listed = filesOfWorker(site);
  } catch (error) {
    return [`sw.js cannot be read for its files: ${error.message}`];
  }
  const present = readdirSync(site, { recursive: true, withFileTypes: true })
    .filter((entry) => !entry.isDirectory())
    .map((entry) => path.relative(site, path.join(entry.parentPath ?? entry.path, entry.name))
      .split(path.sep).join('/'));
  const faults = [];
  for (const file of present.sort()) {
    if (file === 'sw.js') continue;
    if (!(file in listed)) {
      faults.push(`${file} is not a file of the page`);
    } else if (createHash('sha256').update(readFileSync(path.join(site, file))).digest('hex')
      !== listed[file]) {
      faults.push(`${file} is not the file of this build`);
    }
  }
  for (const file of Object.keys(listed).sort()) {
    if (!present.includes(file)) faults.push(`${file} is missing`);
  }
  if (!present.includes('sw.js')) faults.push('sw.js is missing');
  return faults;
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const site = process.argv[2];
  if (!site) {
    console.error('usage: node web/tools/check_site.js <site folder>');
    process.exit(2);
  }
  const faults = siteFaults(site);
  for (const fault of faults) console.error(`${site}: ${fault}`);
  if (faults.length > 0) process.exit(1);
  console.log(`${site} holds the page's ${Object.keys(filesOfWorker(site)).length} files and sw.js`);
}
