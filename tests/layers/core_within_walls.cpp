// Built with the core alone: its own headers and the platform's interfaces are at hand.
#include "core/card/card_side.h"
#include "platform/file_system.h"
