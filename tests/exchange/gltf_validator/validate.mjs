// Checks one glTF or GLB file with the Khronos glTF validator: prints every error and
// warning and a closing count, and exits 1 when the file has errors (64 on a wrong call).
// The validator module is looked up in GLTF_VALIDATOR_MODULES (a node_modules folder).
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';

const file = process.argv[2];
if (!file) {
  console.error('usage: node validate.mjs FILE.gltf|FILE.glb');
  process.exit(64);
}
const modules = process.env.GLTF_VALIDATOR_MODULES || path.join(process.cwd(), 'node_modules');
const validator = createRequire(path.join(modules, 'index.js'))('gltf-validator');

const folder = path.dirname(path.resolve(file));
const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
  uri: path.basename(file),
  maxIssues: 0,
  writeTimestamp: false,
  externalResourceFunction: (uri) =>
    fs.promises.readFile(path.resolve(folder, decodeURIComponent(uri)))
      .then((data) => new Uint8Array(data)),
});
const issues = report.issues;
for (const message of issues.messages) {
  if (message.severity <= 1) {
    const kind = message.severity === 0 ? 'error' : 'warning';
    console.log(`${kind} ${message.code} ${message.pointer || ''}: ${message.message}`);
  }
}
console.log(`errors ${issues.numErrors} warnings ${issues.numWarnings} infos ${issues.numInfos}`);
process.exit(issues.numErrors > 0 ? 1 : 0);
