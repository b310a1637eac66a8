#pragma once
#include <string>
#include "low/other.h"
#include "high/high.h"
