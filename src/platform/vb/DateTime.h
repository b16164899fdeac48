// The current date and time in the long forms, and the print-zone layout that
// the Print statement gives to "Print #f, a, b".
#pragma once

#include <ctime>
#include <string>

namespace vb {

// Long date ("Thursday, December 10, 2026") and long time ("10:07:19 AM") of a moment.
std::string LongDate(std::time_t t);
std::string LongTime(std::time_t t);

// Print zones are 14 characters wide (columns 1, 15, 29, ...): a padded to the start
// of the next zone after it (at least one blank), then b.
std::string PrintZones(const std::string& a, const std::string& b);

// The date line of the trace files: the long date and the long time in two zones.
std::string DateLine(std::time_t t);
std::string DateLineNow();

}  // namespace vb
