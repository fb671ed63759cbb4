#pragma once
// JV-Data codes to display texts, and the display formatting of record
// fields. Every operation is a pure function of CP932 texts.

#include "store/codes/formatting.h"
#include "store/codes/race_texts.h"
#include "store/codes/small_tables.h"
#include "store/codes/venue.h"
