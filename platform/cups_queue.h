#pragma once
// One job to a CUPS queue through libcups: a document of a given type
// (application/pdf, or application/vnd.cups-raw for bytes that the queue
// passes on unchanged), named as the queue's job list shows it.

#include <string>
#include <string_view>

namespace kavor {

inline constexpr const char* kPdfDocument = "application/pdf";

// False, with the reason in `error`, when the queue is unknown or the job
// was not accepted.
bool send_to_queue(const std::string& queue, const std::string& title, const char* format, std::string_view document,
                   std::string& error);

}  // namespace kavor
