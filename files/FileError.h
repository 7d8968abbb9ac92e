// The error every file routine raises: its text names the file and what went
// wrong, ready to be shown to the user as it stands.
#pragma once

#include <stdexcept>
#include <string>

class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
