#include "platform/cups_queue.h"

#include <cups/cups.h>

#include <fstream>

namespace kavor {

bool has_queue(const std::string& queue) {
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
  cupsFreeDests(dest ? 1 : 0, dest);
  return dest != nullptr;
}

CupsJob::CupsJob(const std::string& queue, const std::string& title, const char* format) : queue_(queue) {
  id_ = cupsCreateJob(CUPS_HTTP_DEFAULT, queue_.c_str(), title.c_str(), 0, nullptr);
  started_ = id_ != 0 && cupsStartDocument(CUPS_HTTP_DEFAULT, queue_.c_str(), id_, title.c_str(), format, 1) ==
                             HTTP_STATUS_CONTINUE;
}

CupsJob::~CupsJob() {
  if (id_ == 0 || finished_) return;
  // The document's request is closed before the job is cancelled.
  if (started_) cupsFinishDocument(CUPS_HTTP_DEFAULT, queue_.c_str());
  cupsCancelJob2(CUPS_HTTP_DEFAULT, queue_.c_str(), id_, 0);
}

bool CupsJob::write(const char* data, size_t size) {
  return started_ && cupsWriteRequestData(CUPS_HTTP_DEFAULT, data, size) == HTTP_STATUS_CONTINUE;
}

bool CupsJob::finish() {
  if (!started_ || finished_) return false;
  started_ = false;
  finished_ = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue_.c_str()) <= IPP_STATUS_OK_CONFLICTING;
  return finished_;
}

bool send_to_queue(const std::string& queue, const std::string& title, const char* format, const std::string& path,
                   std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  CupsJob job(queue, title, format);
  bool written = job.started();
  char block[64 * 1024];
  while (written && in.read(block, sizeof block).gcount() > 0) written = job.write(block, static_cast<size_t>(in.gcount()));
  if (written && !in.bad() && job.finish()) return true;
  error = in.bad() ? "cannot read " + path : "the queue " + queue + " did not take the job: " + cupsLastErrorString();
  return false;
}

}  // namespace kavor
