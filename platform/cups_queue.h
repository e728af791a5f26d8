#pragma once
// Jobs on CUPS queues through libcups. A job is opened with the type of its
// document (application/pdf; application/vnd.cups-raw for bytes that the
// queue passes on unchanged), written in blocks and finished; a job that is
// not finished is cancelled, so that a document cut short is never printed.

#include <cstddef>
#include <string>

namespace kavor {

inline constexpr const char* kPdfDocument = "application/pdf";

// True when CUPS knows a queue of that name.
bool has_queue(const std::string& queue);

class CupsJob {
 public:
  // title: the name the queue's job list shows.
  CupsJob(const std::string& queue, const std::string& title, const char* format);
  ~CupsJob();
  CupsJob(const CupsJob&) = delete;
  CupsJob& operator=(const CupsJob&) = delete;

  // The scheduler made the job and takes its document.
  bool started() const { return started_; }
  bool write(const char* data, size_t size);
  // Ends the document; true when the scheduler accepted it.
  bool finish();

 private:
  std::string queue_;
  int id_ = 0;
  bool started_ = false;
  bool finished_ = false;
};

// The whole of a document file as one job. False, with the reason in
// `error`, when the file cannot be read or the job was not accepted.
bool send_to_queue(const std::string& queue, const std::string& title, const char* format, const std::string& path,
                   std::string& error);

}  // namespace kavor
