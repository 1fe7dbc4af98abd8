// The update log, res\update.log in the data folder: UTF-16 little-endian
// lines (no byte-order mark), each ended by CR LF, only ever appended.
#pragma once

#include <string>

// Appends one line: the local time, the tag "UpdateModule" and text. Returns
// 0 when written, -1 when the file could not be opened (no res folder, held
// open by another writer) or the write failed; the line is then lost.
int WriteUpdateLog(const std::wstring& text);
