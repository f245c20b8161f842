#include "common/environment.h"

Environment& Env() {
    static Environment env;
    return env;
}
