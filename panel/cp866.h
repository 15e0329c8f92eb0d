#pragma once
// The character set lives with the machine, the bottom layer.
#include "machine/cp866.h"
