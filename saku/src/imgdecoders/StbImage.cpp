// stb_image's implementation, compiled once for the library and its tests.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
