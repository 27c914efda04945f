#pragma once

// Resource numbers, shared by the resource script and the code.
#define QUILLMORA_ICON_PROGRAM 1
#define QUILLMORA_ICON_PLUS_SIGN 101
#define QUILLMORA_ICON_DOUBLE_CHEVRON 102
