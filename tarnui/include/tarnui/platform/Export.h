#pragma once

// Symbols of libTarnUI.so that the program may use; everything else stays hidden.
#define TARN_API __attribute__((visibility("default")))
