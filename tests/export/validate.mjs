// Runs the Khronos glTF validator on every file named on the command line and prints each
// report's counts and messages. Exit 1 when any file has an error or a warning (infos and
// hints are printed but allowed), and when a file cannot be read.
import { readFile } from 'node:fs/promises';
import validator from 'gltf-validator';

let failed = false;
for (const path of process.argv.slice(2)) {
  // A file that cannot be read throws, naming it, and ends the run with a failure.
  const bytes = new Uint8Array(await readFile(path));
  const report = await validator.validateBytes(bytes, { maxIssues: 0 });
  const issues = report.issues;
  console.log(`${path}: ${issues.numErrors} errors, ${issues.numWarnings} warnings, ` +
              `${issues.numInfos} infos, ${issues.numHints} hints`);
  for (const message of issues.messages) {
    const severity = ['error', 'warning', 'info', 'hint'][message.severity];
    console.log(`  ${severity} ${message.code} at ${message.pointer ?? '-'}: ${message.message}`);
  }
  if (issues.numErrors > 0 || issues.numWarnings > 0) failed = true;
}
process.exit(failed ? 1 : 0);
