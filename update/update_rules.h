// The rules by which the update path judges what it got. Pure logic.
#pragma once

#include <cstdint>
#include <string>

// The version server's answer names a launcher to download when it is longer
// than 5 characters and its leading number is not negative. Everything else
// (empty, "0", "-1", "-12 words") means: no update.
bool IsUpdateAnswer(const std::wstring& answer);

// The Content-Length header's value: its leading number, 0 when missing.
std::int32_t ContentLengthTotal(const std::wstring& header);

// The counters of one download, all 32-bit as the file functions give them:
// `have` bytes were in the temporary file before the transfer, `got` came with
// it, `total` is the announced length.
struct DownloadCounts {
  std::uint32_t have = 0;
  std::uint32_t got = 0;
  std::int32_t total = 0;
};

// Nothing to fetch: the file already holds as many bytes as announced.
bool IsAlreadyDownloaded(const DownloadCounts& counts);
// The file is complete when what it had and what came add up to the total.
bool IsDownloadComplete(const DownloadCounts& counts);
