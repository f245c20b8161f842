#include "common/win/settings.h"
