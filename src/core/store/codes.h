#pragma once
// JV-Data codes to display texts, and the display formatting of record
// fields. Every operation is a pure function of CP932 texts.

#include "core/store/codes/formatting.h"
#include "core/store/codes/race_texts.h"
#include "core/store/codes/small_tables.h"
#include "core/store/codes/venue.h"
