// Errors the program raises on purpose. Each carries the text the top-level
// error report shows.
#pragma once

#include <stdexcept>
#include <string>

namespace velmo {

// A failure the user should read: a refused write, a store failure.
class AppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text that should have been a number was not.
class ConvertError : public AppError {
 public:
  using AppError::AppError;
};

// A value as messages quote it: in single quotes, cut to a readable length.
std::string Quoted(const std::string& value);
// "'<text>' is not a valid integer value".
std::string NotAnIntegerText(const std::string& text);

// Reads a text as a signed 32-bit decimal integer: leading blanks, an
// optional sign, then digits only. Anything else raises ConvertError with
// NotAnIntegerText.
int StrToInt(const std::string& text);

// The text of the top-level error report: the error's text followed by "."
// when its last character sorts after ".".
std::string ErrorReportText(const std::string& message);

}  // namespace velmo
