#include "platform/cups_queue.h"

#include <cups/cups.h>

#include <fstream>

namespace kavor {

bool has_queue(const std::string& queue) {
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
  cupsFreeDests(dest ? 1 : 0, dest);
  return dest != nullptr;
}

bool send_to_queue(const std::string& queue, const std::string& title, const char* format, const std::string& path,
                   std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.c_str(), title.c_str(), 0, nullptr);
  if (job == 0) {
    error = cupsLastErrorString();
    return false;
  }
  bool sent = cupsStartDocument(CUPS_HTTP_DEFAULT, queue.c_str(), job, title.c_str(), format, 1) == HTTP_STATUS_CONTINUE;
  char chunk[64 * 1024];
  while (sent && in.read(chunk, sizeof chunk).gcount() > 0)
    sent = cupsWriteRequestData(CUPS_HTTP_DEFAULT, chunk, static_cast<size_t>(in.gcount())) == HTTP_STATUS_CONTINUE;
  sent = sent && !in.bad();
  const bool finished = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.c_str()) == IPP_STATUS_OK;
  if (!sent || !finished) {
    error = sent ? cupsLastErrorString() : "cannot send " + path + " to " + queue;
    cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), job, 0);
    return false;
  }
  return true;
}

}  // namespace kavor
