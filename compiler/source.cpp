#include "compiler/source.h"
