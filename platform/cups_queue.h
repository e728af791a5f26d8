#pragma once
// One job to a CUPS queue through libcups: a document file of a given type
// (application/pdf; application/vnd.cups-raw for bytes that the queue
// passes on unchanged), named as the queue's job list shows it.

#include <string>

namespace kavor {

inline constexpr const char* kPdfDocument = "application/pdf";

// True when CUPS knows a queue of that name.
bool has_queue(const std::string& queue);

// False, with the reason in `error`, when the file cannot be read or the
// job was not accepted.
bool send_to_queue(const std::string& queue, const std::string& title, const char* format, const std::string& path,
                   std::string& error);

}  // namespace kavor
