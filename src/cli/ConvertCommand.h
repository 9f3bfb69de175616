#pragma once

#include "cli/CommandOutput.h"

#include <QString>

#include <optional>

namespace cli {

// What "convert VALUE FROM TO" was asked.
struct ConvertRequest {
    QString value;
    QString from;
    QString to;
    std::optional<QString> category; // --category: look in this one only
    int places = 5;                  // --places
    bool plain = false;              // --plain: the converted number alone
};

// The decimal places the window offers, and so the command.
inline constexpr int kFewestPlaces = 1;
inline constexpr int kMostPlaces = 9;

// Converts as the window does, through the same conversion, and prints its result line (or the
// number alone). Returns the exit status.
int runConvert(const ConvertRequest &request, const CommandOutput &output);

} // namespace cli
