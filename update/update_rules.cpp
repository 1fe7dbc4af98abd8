#include "update/update_rules.h"

#include "core/leading_int.h"

bool IsUpdateAnswer(const std::wstring& answer) { return answer.size() > 5 && ParseLeadingInt32(answer) >= 0; }

std::int32_t ContentLengthTotal(const std::wstring& header) { return ParseLeadingInt32(header); }

// The sizes are compared as the 32-bit values they are: a negative total
// can never match, and the sum wraps like the counters it adds.
bool IsAlreadyDownloaded(const DownloadCounts& counts) {
  return counts.have == static_cast<std::uint32_t>(counts.total);
}

bool IsDownloadComplete(const DownloadCounts& counts) {
  return static_cast<std::uint32_t>(counts.got + counts.have) == static_cast<std::uint32_t>(counts.total);
}
