#include "ServiceOptions.h"
