// The page of korvanta serve: each chosen file is sent on its own to /api/convert and gets a
// row with its type, its state and then its download or the reasons it failed.
"use strict";

const kParallelUploads = 3;
const typesByExtension = new Map();
const queue = [];
let running = 0;
const finished = [];  // {name, blob} of every converted file, for "download all"

const $ = (id) => document.getElementById(id);

function extensionOf(name) {
  const dot = name.lastIndexOf(".");
  return dot < 0 ? "" : name.slice(dot + 1).toLowerCase();
}

function chosenOutputs() {
  return document.querySelector('input[name="outputs"]:checked').value;
}

// The name in Content-Disposition: filename* (RFC 6266) first, then filename.
function downloadName(header, fallback) {
  const exact = /filename\*=UTF-8''([^;]+)/i.exec(header || "");
  if (exact) return decodeURIComponent(exact[1]);
  const plain = /filename="([^"]*)"/i.exec(header || "");
  return plain ? plain[1] : fallback;
}

function parseJsonHeader(xhr, name, fallback) {
  try {
    const value = xhr.getResponseHeader(name);
    return value ? JSON.parse(value) : fallback;
  } catch (error) {
    return fallback;
  }
}

function addRow(file) {
  const row = document.createElement("tr");
  const cells = ["name", "type", "state", "result"].map(() => row.insertCell());
  cells[0].textContent = file.name;
  cells[1].textContent = typesByExtension.get(extensionOf(file.name)) || "not an export file";
  cells[2].textContent = "Waiting";
  document.querySelector("#results tbody").appendChild(row);
  $("results").hidden = false;
  $("actions").hidden = false;
  return {typeCell: cells[1], stateCell: cells[2], resultCell: cells[3]};
}

function showWarnings(cell, warnings) {
  if (!warnings || warnings.length === 0) return;
  const list = document.createElement("ul");
  list.className = "warnings";
  for (const warning of warnings) {
    const item = document.createElement("li");
    item.textContent = "Warning: " + warning;
    list.appendChild(item);
  }
  cell.appendChild(list);
}

function setState(row, text, kind) {
  row.stateCell.textContent = text;
  row.stateCell.className = kind ? "state-" + kind : "";
}

function showDone(row, xhr, file) {
  const name = downloadName(xhr.getResponseHeader("Content-Disposition"), file.name + ".xlsx");
  const type = parseJsonHeader(xhr, "X-Korvanta-Type", "");
  if (type) row.typeCell.textContent = type;
  const link = document.createElement("a");
  link.href = URL.createObjectURL(xhr.response);
  link.download = name;
  link.textContent = name;
  row.resultCell.appendChild(link);
  showWarnings(row.resultCell, parseJsonHeader(xhr, "X-Korvanta-Warnings", []));
  setState(row, "Done", "done");
  finished.push({name, blob: xhr.response});
}

async function showFailure(row, xhr) {
  let answer = {error: "The server answered " + xhr.status + ".", warnings: []};
  try {
    answer = JSON.parse(await xhr.response.text());
  } catch (error) {
    // the status line is all there is to show
  }
  const message = document.createElement("p");
  message.className = "error";
  message.textContent = answer.error;
  row.resultCell.appendChild(message);
  showWarnings(row.resultCell, answer.warnings);
  setState(row, "Failed", "failed");
}

function send(job) {
  running += 1;
  const xhr = new XMLHttpRequest();
  xhr.open("POST", "/api/convert?outputs=" + encodeURIComponent(job.outputs));
  xhr.responseType = "blob";
  xhr.upload.onprogress = (event) => {
    if (event.lengthComputable) {
      setState(job.row, "Sending " + Math.round((100 * event.loaded) / event.total) + " %");
    }
  };
  xhr.upload.onload = () => setState(job.row, "Converting");
  xhr.onload = async () => {
    if (xhr.status === 200) {
      showDone(job.row, xhr, job.file);
    } else {
      await showFailure(job.row, xhr);
    }
    next();
  };
  xhr.onerror = xhr.ontimeout = () => {
    const message = document.createElement("p");
    message.className = "error";
    message.textContent = "The server could not be reached.";
    job.row.resultCell.appendChild(message);
    setState(job.row, "Failed", "failed");
    next();
  };
  const form = new FormData();
  form.append("file", job.file, job.file.name);
  setState(job.row, "Sending");
  xhr.send(form);
}

function pump() {
  while (running < kParallelUploads && queue.length > 0) send(queue.shift());
  updateSummary();
}

function next() {
  running -= 1;
  pump();
}

function updateSummary() {
  const rows = document.querySelectorAll("#results tbody tr").length;
  const waiting = queue.length + running;
  $("summary").textContent = waiting > 0 ? waiting + " of " + rows + " in progress"
                                         : finished.length + " of " + rows + " converted";
  $("download-all").disabled = waiting > 0 || finished.length === 0;
}

function addFiles(files) {
  const outputs = chosenOutputs();
  for (const file of files) queue.push({file, outputs, row: addRow(file)});
  pump();
}

// "Download all": a zip of the stored entries, made here so that the server keeps nothing.
const crcTable = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

function crc32(bytes) {
  let crc = 0xffffffff;
  for (let i = 0; i < bytes.length; i++) crc = crcTable[(crc ^ bytes[i]) & 0xff] ^ (crc >>> 8);
  return (crc ^ 0xffffffff) >>> 0;
}

function uniqueNames(entries) {
  const taken = new Set();
  return entries.map(({name}) => {
    let unique = name;
    const dot = name.lastIndexOf(".");
    for (let n = 2; taken.has(unique); n++) {
      unique = dot < 0 ? name + " (" + n + ")" : name.slice(0, dot) + " (" + n + ")" + name.slice(dot);
    }
    taken.add(unique);
    return unique;
  });
}

async function storedZip(entries) {
  const encoder = new TextEncoder();
  const names = uniqueNames(entries);
  const parts = [];
  const central = [];
  let offset = 0;
  // 1980-01-01 00:00, the earliest time a zip entry can hold.
  const dosTime = 0, dosDate = (0 << 9) | (1 << 5) | 1;
  for (let i = 0; i < entries.length; i++) {
    const data = new Uint8Array(await entries[i].blob.arrayBuffer());
    const name = encoder.encode(names[i]);
    const crc = crc32(data);
    const header = new DataView(new ArrayBuffer(30));
    [[0, 0x04034b50, 4], [4, 20, 2], [6, 0x0800, 2], [8, 0, 2], [10, dosTime, 2],
     [12, dosDate, 2], [14, crc, 4], [18, data.length, 4], [22, data.length, 4],
     [26, name.length, 2], [28, 0, 2]].forEach(([at, value, size]) =>
        size === 4 ? header.setUint32(at, value, true) : header.setUint16(at, value, true));
    const record = new DataView(new ArrayBuffer(46));
    [[0, 0x02014b50, 4], [4, 20, 2], [6, 20, 2], [8, 0x0800, 2], [10, 0, 2], [12, dosTime, 2],
     [14, dosDate, 2], [16, crc, 4], [20, data.length, 4], [24, data.length, 4],
     [28, name.length, 2], [30, 0, 2], [32, 0, 2], [34, 0, 2], [36, 0, 2], [38, 0, 4],
     [42, offset, 4]].forEach(([at, value, size]) =>
        size === 4 ? record.setUint32(at, value, true) : record.setUint16(at, value, true));
    parts.push(header, name, data);
    central.push(record, name);
    offset += 30 + name.length + data.length;
  }
  const centralSize = central.reduce((sum, part) => sum + part.byteLength, 0);
  const end = new DataView(new ArrayBuffer(22));
  [[0, 0x06054b50, 4], [4, 0, 2], [6, 0, 2], [8, entries.length, 2], [10, entries.length, 2],
   [12, centralSize, 4], [16, offset, 4], [20, 0, 2]].forEach(([at, value, size]) =>
      size === 4 ? end.setUint32(at, value, true) : end.setUint16(at, value, true));
  return new Blob([...parts, ...central, end], {type: "application/zip"});
}

async function downloadAll() {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(await storedZip(finished));
  link.download = "korvanta-reports.zip";
  document.body.appendChild(link);
  link.click();
  link.remove();
}

function clearList() {
  if (queue.length + running > 0) return;
  document.querySelector("#results tbody").replaceChildren();
  finished.length = 0;
  $("results").hidden = true;
  $("actions").hidden = true;
}

async function loadTypes() {
  try {
    const types = await (await fetch("/api/types")).json();
    for (const {extension, type} of types) typesByExtension.set(extension, type);
    $("extensions").textContent = "All eight types: " +
        types.map(({extension, type}) => type + " (." + extension + ")").join(", ");
  } catch (error) {
    $("extensions").textContent = "The list of types could not be loaded.";
  }
}

function setUp() {
  const drop = $("drop");
  const input = $("files");
  input.addEventListener("change", () => {
    addFiles(Array.from(input.files));
    input.value = "";
  });
  // Enter opens the focused chooser as Space does, in every browser.
  input.addEventListener("keydown", (event) => {
    if (event.key !== "Enter") return;
    event.preventDefault();
    input.click();
  });
  for (const name of ["dragenter", "dragover"]) {
    drop.addEventListener(name, (event) => {
      event.preventDefault();
      drop.classList.add("over");
    });
  }
  drop.addEventListener("dragleave", () => drop.classList.remove("over"));
  drop.addEventListener("drop", (event) => {
    event.preventDefault();
    drop.classList.remove("over");
    addFiles(Array.from(event.dataTransfer.files));
  });
  $("download-all").addEventListener("click", downloadAll);
  $("clear").addEventListener("click", clearList);
  loadTypes();
}

setUp();
