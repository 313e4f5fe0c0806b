// The merge, on a thread of its own so that the page stays responsive: the
// reports go into the core's memory files, the core merges them exactly as
// the desktop programs do, and the merged report and its picture come back.
// scripts/build-web puts this after the core (velquist-core.js) into the
// source of one worker, which the page starts from memory: a page opened from
// a folder may load no worker file.
'use strict';

let core = null;

function putFile(path, bytes) {
  const data = core.ccall('vq_new_file', 'number', ['string', 'number'], [path, bytes.length]);
  core.HEAPU8.set(bytes, data);
}

// A copy of the file's bytes, or null when there is none.
function takeFile(path) {
  const size = core.ccall('vq_file_size', 'number', ['string'], [path]);
  if (size < 0) return null;
  const data = core.ccall('vq_file_data', 'number', ['string'], [path]);
  const bytes = core.HEAPU8.slice(data, data + size);
  core.ccall('vq_remove_file', null, ['string'], [path]);
  return bytes;
}

// The name without any folder: the result goes beside nothing else.
function baseName(name) {
  return name.split(/[\\/]/).pop();
}

// Each report in a folder of its own: users' reports often share a name.
const reportPath = (report) => `/reports/${report.id}/${report.name}`;

function merge(request) {
  const f = request.numberFormat;
  core.ccall('vq_set_number_format', null, ['string', 'string', 'string'],
             [f.group, f.decimal, f.minus]);
  const paths = request.reports.map(reportPath);
  const result = request.result === '' ? '' : '/result/' + baseName(request.result);
  core.onStep = (step, file) => postMessage({type: 'step', step, file});
  const outcome = JSON.parse(core.ccall('vq_merge', 'string',
      ['string', 'string', 'string', 'number'],
      [paths.join('\n'), result, request.language, request.symbol ? 1 : 0]));
  const page = result ? takeFile(result) : null;
  const picture = result ? takeFile(outcome.picture) : null;
  const transfer = [page, picture].filter((b) => b).map((b) => b.buffer);
  postMessage({type: 'done', outcome, paths, page, picture, memory: core.HEAPU8.length}, transfer);
}

// The reports live here from the moment they are added to the list until
// they leave it, so that a merge copies nothing.
function handle(data) {
  if (data.type === 'add') putFile(reportPath(data), new Uint8Array(data.bytes));
  if (data.type === 'remove') core.ccall('vq_remove_file', null, ['string'], [reportPath(data)]);
  if (data.type === 'merge') merge(data);
}

// What arrives while the core starts waits for it.
const waiting = [];
onmessage = ({data}) => (core ? handle(data) : waiting.push(data));

VelquistCore().then((module) => {
  core = module;
  const names = core.ccall('vq_languages', 'string', [], []);
  postMessage({type: 'ready', languages: names.split('\n').filter((n) => n)});
  waiting.splice(0).forEach(handle);
});
