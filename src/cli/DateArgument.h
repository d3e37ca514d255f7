#pragma once
// Dates given on the command line: ISO dates and date-times, or a date-time number.

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

// "2011-05-03", "2011-05-03T06:30", "2011-05-03T06:30:15" (a space may stand for the T), or a number of
// days since 1899-12-30 such as "40666.25". Empty for anything else.
std::optional<double> ParseDateArgument(const std::string& text);

// For CLI11 options, so that a malformed date is a usage error.
CLI::Validator DateArgumentValidator();
