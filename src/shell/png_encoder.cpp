// The one compiled copy of the PNG encoder (stb_image_write, header-only).
#define STB_IMAGE_WRITE_IMPLEMENTATION
// Output always goes through our own writer callback, never its fopen.
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>
