#include "MainOperations.h"
