#pragma once

#include <string>
#include <vector>

#include "analysis/costmodel.h"
#include "report/filereport.h"

// The JSON document of a whole run, version 1: one entry per file, in order, with the echo and
// the costs of a program or the error that stopped it. Two-space indented, ending in a newline.
std::string jsonDocument(const std::vector<FileReport>& reports,
                         const std::vector<CostModel>& models);
