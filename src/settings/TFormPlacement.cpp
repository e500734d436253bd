#include "settings/TFormPlacement.h"
