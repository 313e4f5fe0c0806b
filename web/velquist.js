// The page of the browser edition: the window's inputs (the list of reports,
// the language, the result's name, the "Symbol" box) and its one command.
// The merge runs in a worker (worker.js, started from the source that
// velquist-worker.js holds); its texts are the program's own.
'use strict';

const $ = (id) => document.getElementById(id);
const reports = [];  // {id, name, selected}, in merge order; the worker holds the bytes
let nextId = 1;
let anchor = -1;     // the line a Shift-click selects from
let dragged = null;  // indices of the lines being dragged
let merging = false;
let shown = [];      // object URLs of the result on show
// Reports up to this size are shown as soon as they are merged.
const PREVIEW_AT_ONCE = 8 << 20;

// The code page of each result language, for showing the page: its labels are
// bytes of that code page, and a page declares none.
const CHARSETS = {
  'Turkish': 'windows-1254', 'Russian': 'windows-1251', 'Bulgarian': 'windows-1251',
  'Slovak': 'windows-1250', 'Polish': 'windows-1250', 'Hungarian': 'windows-1250',
  'Czech': 'windows-1250', 'Croatian': 'windows-1250', 'Lithuanian': 'windows-1257',
  'Estonian': 'windows-1257', 'Greek': 'windows-1253', 'Hebrew': 'windows-1255',
  'Arabic': 'windows-1256', 'Farsi': 'windows-1256', 'Japanese': 'shift_jis',
  'Korean': 'euc-kr', 'Chinese (Simplified)': 'gbk', 'Chinese (Traditional)': 'big5',
};

const worker = new Worker(URL.createObjectURL(
    new Blob([VelquistWorkerSource], {type: 'text/javascript'})));

// A text of the core, whose bytes arrive one a character: UTF-8 for names,
// whatever the report held for its own texts.
function fromBytes(text) {
  return new TextDecoder().decode(Uint8Array.from(text, (c) => c.charCodeAt(0)));
}

function render() {
  const list = $('lbxReports');
  list.replaceChildren(...reports.map((report, i) => {
    const line = document.createElement('li');
    line.textContent = report.name;
    line.draggable = true;
    line.setAttribute('role', 'option');
    line.setAttribute('aria-selected', String(report.selected));
    if (report.selected) line.classList.add('selected');
    if (i === 0) line.append(Object.assign(document.createElement('span'),
                                           {className: 'base', textContent: 'base report'}));
    line.addEventListener('click', (event) => select(i, event));
    line.addEventListener('dragstart', (event) => startDrag(i, event));
    line.addEventListener('dragover', (event) => overLine(line, event));
    line.addEventListener('dragleave', () => line.classList.remove('above', 'below'));
    line.addEventListener('drop', (event) => dropOnLine(i, line, event));
    return line;
  }));
  $('dropHint').hidden = reports.length > 0;
  $('BtnDelete').disabled = merging || !reports.some((r) => r.selected);
}

function select(i, event) {
  if (event.shiftKey && anchor >= 0) {
    const [from, to] = [Math.min(anchor, i), Math.max(anchor, i)];
    reports.forEach((r, k) => { r.selected = (event.ctrlKey && r.selected) || (k >= from && k <= to); });
  } else if (event.ctrlKey || event.metaKey) {
    reports[i].selected = !reports[i].selected;
    anchor = i;
  } else {
    reports.forEach((r, k) => { r.selected = k === i; });
    anchor = i;
  }
  render();
}

async function addFiles(files) {
  // A copy: the picker's list empties as soon as it is reset.
  for (const file of Array.from(files)) {
    const report = {id: nextId++, name: file.name, selected: false};
    const bytes = await file.arrayBuffer();
    worker.postMessage({type: 'add', id: report.id, name: report.name, bytes}, [bytes]);
    reports.push(report);
  }
  render();
}

function deleteSelected() {
  const count = reports.filter((r) => r.selected).length;
  if (count === 0 || merging || !confirm(`Delete terminals (${count}) ?`)) return;
  for (let i = reports.length; i-- > 0;) {
    if (!reports[i].selected) continue;
    worker.postMessage({type: 'remove', id: reports[i].id, name: reports[i].name});
    reports.splice(i, 1);
  }
  anchor = -1;
  render();
}

// Dragging a selected line moves all selected lines; dropped on a line, they
// go before it when dropped on its upper half, after it otherwise.
function startDrag(i, event) {
  dragged = reports[i].selected ? reports.flatMap((r, k) => (r.selected ? [k] : [])) : [i];
  event.dataTransfer.effectAllowed = 'move';
  event.dataTransfer.setData('text/plain', reports[i].name);
}

function isLower(line, event) {
  const box = line.getBoundingClientRect();
  return event.clientY > box.top + box.height / 2;
}

function overLine(line, event) {
  event.preventDefault();
  const lower = isLower(line, event);
  line.classList.toggle('below', lower);
  line.classList.toggle('above', !lower);
}

function dropOnLine(i, line, event) {
  event.preventDefault();
  event.stopPropagation();
  if (event.dataTransfer.files.length > 0) return addFiles(event.dataTransfer.files);
  if (!dragged) return;
  let at = i + (isLower(line, event) ? 1 : 0);
  const moving = dragged.map((k) => reports[k]);
  at -= dragged.filter((k) => k < at).length;
  for (let k = dragged.length; k-- > 0;) reports.splice(dragged[k], 1);
  reports.splice(at, 0, ...moving);
  dragged = null;
  render();
}

// The user's separators for the chart's labels; the digits stay 0 to 9.
function numberFormat() {
  const parts = new Intl.NumberFormat(undefined, {numberingSystem: 'latn'})
      .formatToParts(-1234567.5);
  const part = (type, fallback) => (parts.find((p) => p.type === type) || {value: fallback}).value;
  return {group: part('group', ','), decimal: part('decimal', '.'), minus: part('minusSign', '-')};
}

function showMessage(text, isError) {
  $('messageBox').hidden = text === '';
  $('message').textContent = text;
  $('message').classList.toggle('error', isError);
}

// Names in the core's texts are its memory files: the user knows the files
// by their own names (and their place in the list, where two share a name).
function userNames(paths, names) {
  return (text) => paths.reduce((t, path, i) => t.split(path).join(names[i]), fromBytes(text));
}

function showWarnings(box, named) {
  $('warningsBox').hidden = box === '';
  if (box === '') return;
  const lines = named(box).split('\n');
  $('warningsHeading').textContent = lines[0];
  $('warnings').replaceChildren(...lines.slice(2).map((line) =>
      Object.assign(document.createElement('li'), {textContent: line})));
}

// The picture as a data address: a page opened from a folder may show
// nothing from elsewhere in its frames.
function dataAddress(bytes) {
  let text = '';
  for (let i = 0; i < bytes.length; i += 0x8000)
    text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return 'data:image/gif;base64,' + btoa(text);
}

function showResult(name, pictureName, page, picture, language) {
  shown.forEach((url) => URL.revokeObjectURL(url));
  const pageUrl = URL.createObjectURL(new Blob([page], {type: 'text/html'}));
  const pictureUrl = URL.createObjectURL(new Blob([picture || []], {type: 'image/gif'}));
  shown = [pageUrl, pictureUrl];
  Object.assign($('downloadPage'), {href: pageUrl, download: name.split(/[\\/]/).pop()});
  Object.assign($('downloadPicture'),
                {href: pictureUrl, download: pictureName.split(/[\\/]/).pop()});
  $('downloadPicture').hidden = !picture;
  // The page names its picture; shown here, it holds the picture itself. A
  // very large report waits for the user to ask: laying it out takes the
  // browser a while.
  const preview = () => {
    const text = new TextDecoder(CHARSETS[language] || 'windows-1252').decode(page);
    $('preview').srcdoc = text.replace(/<img src="[^"]*"/,
                                       `<img src="${picture ? dataAddress(picture) : ''}"`);
    $('preview').hidden = false;
    $('BtnPreview').hidden = true;
  };
  $('preview').hidden = true;
  $('BtnPreview').hidden = page.length <= PREVIEW_AT_ONCE;
  $('BtnPreview').onclick = preview;
  if (page.length <= PREVIEW_AT_ONCE) preview();
  $('resultBox').hidden = false;
}

function setMerging(on) {
  merging = on;
  for (const id of ['Button1', 'BtnMerge', 'cbxLanguage', 'edFileName', 'cbxWriteOpSymbolToReport'])
    $(id).disabled = on;
  document.body.classList.toggle('busy', on);
  render();
}

function merge() {
  if (merging) return;
  setMerging(true);
  showMessage('', false);
  showWarnings('', null);
  $('resultBox').hidden = true;
  worker.postMessage({
    type: 'merge',
    reports: reports.map((r) => ({id: r.id, name: r.name})),
    result: $('edFileName').value,
    language: $('cbxLanguage').value,
    symbol: $('cbxWriteOpSymbolToReport').checked,
    numberFormat: numberFormat(),
  });
}

function displayNames() {
  const count = {};
  reports.forEach((r) => { count[r.name] = (count[r.name] || 0) + 1; });
  return reports.map((r, i) => (count[r.name] > 1 ? `${r.name} (line ${i + 1})` : r.name));
}

const STEPS = ['Reading', 'Writing the merged report', 'Drawing its balance chart'];
let reading = 0;

worker.onmessage = ({data}) => {
  if (data.type === 'ready') {
    $('cbxLanguage').replaceChildren(...data.languages.map((name) =>
        Object.assign(document.createElement('option'), {value: name, textContent: name})));
    $('BtnMerge').disabled = false;
    document.body.dataset.ready = 'true';
  } else if (data.type === 'step') {
    reading = data.step === 0 ? reading + 1 : reading;
    const file = fromBytes(data.file).split('/').pop();
    $('progress').textContent = data.step === 0
        ? `${STEPS[0]} ${reading} of ${reports.length}: ${file}` : STEPS[data.step];
  } else if (data.type === 'done') {
    reading = 0;
    window.velquistMemory = data.memory;  // for the benchmark
    $('progress').textContent = '';
    const named = userNames(data.paths, displayNames());
    const outcome = data.outcome;
    setMerging(false);
    if (outcome.kind !== 'done') return showMessage(named(outcome.message), outcome.kind === 'failed');
    showWarnings(outcome.warningsBox, named);
    showResult($('edFileName').value, fromBytes(outcome.picture), data.page, data.picture,
               $('cbxLanguage').value);
  }
};

$('Button1').addEventListener('click', () => $('filePicker').click());
$('filePicker').addEventListener('change', (event) => {
  addFiles(event.target.files);
  event.target.value = '';
});
$('BtnDelete').addEventListener('click', deleteSelected);
$('BtnMerge').addEventListener('click', merge);
$('lbxReports').addEventListener('keyup', (event) => {
  if (event.key === 'Delete') deleteSelected();
});
// Files dropped anywhere on the list (or the page) are added.
for (const target of [$('reportsBox'), document.body]) {
  target.addEventListener('dragover', (event) => event.preventDefault());
  target.addEventListener('drop', (event) => {
    event.preventDefault();
    if (event.dataTransfer.files.length > 0) addFiles(event.dataTransfer.files);
  });
}
render();
