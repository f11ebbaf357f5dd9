// Built with the core alone: a header of the sound library, which the core does not link, must
// not be found.
#include "platform/audio/sound_file.h"
