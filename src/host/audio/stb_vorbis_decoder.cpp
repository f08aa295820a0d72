// stb_vorbis's decoder, compiled once for the whole program (ogg_loop_music.cpp includes only
// its declarations).
#include <stb_vorbis.h>
