// A web address as the user types it into the "Открыть сайт..." box, made
// into one the browser takes.
#pragma once

#include <string>

// Surrounding blanks dropped; a text that is neither an address with a
// scheme nor an existing file gets "http://" in front; in an address,
// blanks, control characters and every non-ASCII character become the
// percent-encoded bytes of their UTF-8 form (a "%" already there is kept).
// A file path is returned as typed. Windows-1251 in and out.
std::string WebAddressFromInput(const std::string& typed);
