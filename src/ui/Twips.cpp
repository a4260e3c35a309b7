#include "Twips.h"
