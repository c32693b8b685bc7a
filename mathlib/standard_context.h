// The standard symbol table: the one process-wide name table of the built-in
// constants and functions that every formula sees.
#pragma once

#include "engine/contexts.h"

// Builds the table on the first call (case-insensitive, 100 buckets) and returns the
// same object on every call; it is freed at process exit. The caller does not own it.
TExprHashContext& StandardContext();
