#include "editor/config/Encodings.h"
