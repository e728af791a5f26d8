#include "platform/cups_queue.h"

#include <cups/cups.h>

namespace kavor {

bool send_to_queue(const std::string& queue, const std::string& title, const char* format, std::string_view document,
                   std::string& error) {
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
  if (!dest) {
    error = "no printer queue " + queue;
    return false;
  }
  cupsFreeDests(1, dest);
  const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.c_str(), title.c_str(), 0, nullptr);
  if (job == 0) {
    error = cupsLastErrorString();
    return false;
  }
  bool sent = cupsStartDocument(CUPS_HTTP_DEFAULT, queue.c_str(), job, title.c_str(), format, 1) == HTTP_STATUS_CONTINUE;
  constexpr size_t kChunk = 64 * 1024;
  for (size_t at = 0; sent && at < document.size(); at += kChunk) {
    const std::string_view chunk = document.substr(at, kChunk);
    sent = cupsWriteRequestData(CUPS_HTTP_DEFAULT, chunk.data(), chunk.size()) == HTTP_STATUS_CONTINUE;
  }
  const bool finished = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.c_str()) == IPP_STATUS_OK;
  if (!sent || !finished) {
    error = cupsLastErrorString();
    cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), job, 0);
    return false;
  }
  return true;
}

}  // namespace kavor
