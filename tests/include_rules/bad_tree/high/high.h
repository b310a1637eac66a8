#pragma once
#include "low/low.h"
#include "support/not_a_core_folder.h"
